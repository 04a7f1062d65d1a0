#pragma once
// A corpus like a camera's: grainy detail down to the pixel (generated pictures
// are otherwise smooth and decode far faster than real ones), 2 to 20 million
// pixels in mixed sizes and both orientations, a quarter of them progressive.
#include <QSize>
#include <string>

struct CorpusPhoto {
  QSize size;
  bool progressive = false;
  int quality = 90;
};

// The i-th photo of the corpus, always the same for the same i.
CorpusPhoto CorpusPhotoAt(int i);
// Its JPEG bytes. Safe on any thread.
std::string CorpusJpeg(int i);

// A camera-like JPEG: patches of colour with sharp edges under grain of the given
// amplitude down to the pixel (the file grows with it), baseline or progressive
// (colour at half resolution both ways, as Qt's writer stores it), the same bytes
// for the same arguments. Safe on any thread.
std::string GrainyJpeg(QSize size, int seed, int amplitude, int quality, bool progressive = false);
