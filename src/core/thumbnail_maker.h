#pragma once
// The thumbnail file of a photo: ThumbnailsFolder + photo name, a BMP whatever the
// name's extension says, holding the whole picture fitted into 100 x 100 pixels
// with its aspect kept (a clip: its first frame in 100 x 75), dated like the photo.
#include <QColor>
#include <QImage>
#include <QSize>
#include <cstdint>
#include <string>

#include "core/picture_decode.h"
#include "core/thumbnail_budget.h"

constexpr int kThumbnailSide = 100;
inline QSize VideoThumbnailSize() { return QSize(100, 75); }
// Size of the box of an unreadable picture.
inline QSize BlankThumbnailSize() { return QSize(kThumbnailSide, kThumbnailSide); }

// The box a width x height picture fills: the longer side 100, the other
// 100 x short / long rounded to the nearest pixel (halves up), at least 1.
QSize ThumbnailBoxSize(int width, int height);

// The photo name of a list entry: its last path component.
std::string ThumbnailPhotoName(const std::string& entry);

struct ThumbnailPicture {
  bool loaded = false;
  bool tooLarge = false;  // its decode would take more than allowed: not decoded
  QSize size;       // the picture's own size in pixels, upright; 0 x 0 when not known
  QSize box;        // the thumbnail's size
  QImage picture;   // the picture upright, already fitted to box; null when not loaded
};

// How a picture is to be decoded, from its header alone (the file is opened and
// its header read, nothing more).
struct ThumbnailPlan {
  std::string path;
  pictures::Header header;
  int eighths = 8;         // a JPEG's decode scale, n/8
  QSize request;           // the size asked of the reader, as stored; invalid: whole size
  std::int64_t bytes = 0;  // memory the decode takes at most; 0 when nothing is decoded
};
// A JPEG is decoded at the smallest n/8 that still gives twice the thumbnail (the
// library's own scaling; a progressive one at 1/8 from its DC alone), then reduced
// once, smoothly; reducedDecode false forces the whole-size decode. A picture whose
// size is unknown is charged the most a decode alone may take.
ThumbnailPlan PlanThumbnail(const std::string& path, bool reducedDecode = true);
// A plan of more than limit bytes is not decoded: it comes back too large.
ThumbnailPicture DecodeThumbnail(const ThumbnailPlan& plan, std::int64_t limit);

// Loads a picture from its file by content (never by name), turns it upright and
// fits it to its box; a decode that would take more than limit is not started.
// Safe on any thread; never throws.
ThumbnailPicture LoadThumbnailPicture(const std::string& path, bool reducedDecode = true,
                                      std::int64_t limit = ThumbnailDecodeBudget());

// The grid's reading of a thumbnail file, by content only (thumbnails carry the
// photo's name and extension whatever they hold). A missing or broken file, or one
// whose header promises more than a thumbnail's worth, gives a null picture; a
// larger picture is fitted into 100 x 100.
QImage ReadThumbnailFile(const std::string& path);

// The drawing box's image: the background, with picture stretched over the whole
// box on top (a null picture leaves the box blank). Opaque, ready to save.
QImage DrawThumbnail(const QImage& picture, QSize box, const QColor& background);

// Saves thumb as BMP to thumbPath and gives it photoPath's last-write time. A path
// that names the photo itself is refused, and so is one that holds anything but
// nothing or a BMP (a user's picture, logged once a start); every failure is
// logged under "CreateThumbnails". True when the file was written.
bool SaveThumbnailFile(const QImage& thumb, const std::string& thumbPath, const std::string& photoPath);
