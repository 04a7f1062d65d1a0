#pragma once
// The thumbnail file of a photo: ThumbnailsFolder + photo name, a BMP whatever the
// name's extension says, holding the whole picture fitted into 100 x 100 pixels
// with its aspect kept (a clip: its first frame in 100 x 75), dated like the photo.
#include <QColor>
#include <QImage>
#include <QSize>
#include <string>

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
  QSize size;       // the picture's own size in pixels; 0 x 0 when not loaded
  QSize box;        // the thumbnail's size
  QImage picture;   // the picture already fitted to box; null when not loaded
};

// Loads a picture by content (never by name) as stored, without camera rotation,
// and fits it to its box. Large JPEGs are decoded at reduced size by the JPEG
// library's own scaling, which gives the same thumbnail far faster; reducedDecode
// false forces the full decode. Safe on any thread; never throws.
ThumbnailPicture LoadThumbnailPicture(const std::string& path, bool reducedDecode = true);

// The drawing box's image: the background, with picture stretched over the whole
// box on top (a null picture leaves the box blank). Opaque, ready to save.
QImage DrawThumbnail(const QImage& picture, QSize box, const QColor& background);

// Saves thumb as BMP to thumbPath and gives it photoPath's last-write time. A path
// that names the photo itself is refused; every failure is logged under
// "CreateThumbnails". True when the file was written.
bool SaveThumbnailFile(const QImage& thumb, const std::string& thumbPath, const std::string& photoPath);
