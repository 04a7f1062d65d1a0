#pragma once
// A corpus like a camera's: grainy detail down to the pixel (generated pictures
// are otherwise smooth and decode far faster than real ones), 2 to 20 million
// pixels in mixed sizes and both orientations, and a third of large progressive
// files (14 to 36 million pixels) with their colour at half or at full size, as
// cameras, phones and editors write them.
#include <QSize>
#include <string>

struct CorpusPhoto {
  QSize size;
  bool progressive = false;
  bool fullColour = false;  // 4:4:4; else 4:2:0
  int quality = 90;
};

// The i-th photo of the corpus, always the same for the same i.
CorpusPhoto CorpusPhotoAt(int i);
// Its JPEG bytes. Safe on any thread.
std::string CorpusJpeg(int i);

// A camera-like JPEG: patches of colour with sharp edges under grain of the given
// amplitude down to the pixel (the file grows with it), baseline or progressive,
// colour at half resolution both ways or at full resolution, the same bytes for
// the same arguments. Safe on any thread.
std::string GrainyJpeg(QSize size, int seed, int amplitude, int quality, bool progressive = false,
                       bool fullColour = false);
