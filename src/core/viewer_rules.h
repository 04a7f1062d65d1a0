#pragma once
// Scale rules of the enlarged view that need no widget: the fit of a picture into
// the viewing area, the zoom steps, the size and place of the picture on screen,
// and how far a JPEG may be reduced while it is decoded.
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>

#include "core/picture_decode.h"

namespace viewer {

constexpr int kAreaWidth = 545;  // pctWindow's inside, in pixels
constexpr int kAreaHeight = 469;

// The smallest k for which the picture at 1/k is strictly smaller than the area in
// both directions, however large the picture.
int FitDenominator(int width, int height, int areaWidth = kAreaWidth, int areaHeight = kAreaHeight);
// The zoom level a photo opens at: 1/FitDenominator.
inline int FitZoomLevel(QSize picture, int areaWidth, int areaHeight) {
  return -FitDenominator(picture.width(), picture.height(), areaWidth, areaHeight);
}

// Zoom levels: -k shows 1/k, +k shows k times, +1 and -1 both full size, 0 never.
// A step through full size goes -2, -1 or +1, +2 (and back +2, +1, -2). A step
// that would leave the 16-bit range gives nothing.
std::optional<int> ZoomInStep(int zoomLevel);
std::optional<int> ZoomOutStep(int zoomLevel);
// "Zoom  1/k" or "Zoom  k/1" (two blanks after "Zoom").
QString ZoomCaption(int zoomLevel);

// The picture's size on screen; 64-bit, since enlarged sizes grow past any int.
struct Extent {
  std::int64_t width = 0;
  std::int64_t height = 0;
};
Extent ZoomedSize(int width, int height, int zoomLevel);
// Whether a widget can take that size.
bool ExtentAllowed(const Extent& e);
// The origin that centres a length in an area (rounded down).
int CentredOrigin(int area, std::int64_t length);

// The reduction a zoom level shows: k at 1/k, 1 from full size up.
int Reduction(int zoomLevel);
// The JPEG library decodes at 1/1, 1/2, 1/4 or 1/8 of the size. The reduction that
// still keeps at least the detail the zoom level shows.
int DecodeFactor(int zoomLevel);
// The size to ask the decoder for at that reduction; rounding down makes the
// reader pick exactly that reduction.
QSize DecodeSize(int width, int height, int factor);

// The coarsest of those reductions whose size (as DecodeSize gives it) still covers
// a size the picture is shown at, both ways; 1 when none does.
int CoverFactor(QSize picture, QSize shown);

// How finely a picture is wanted: with at least the detail of 1/reduction, and a
// drawing (a WMF), which has no pixels of its own, drawn at `drawing` when that is
// given, else at exactly 1/reduction.
struct Detail {
  Detail(int reduction = 1, QSize drawing = QSize()) : reduction(reduction), drawing(drawing) {}
  int reduction;
  QSize drawing;
};

// Where a photo that opens is shown: the main window's viewing area and, while the
// full-screen viewer is open, its screen (else an empty size).
struct Showing {
  QSize area;
  QSize screen;
  bool operator==(const Showing&) const = default;
};
// The detail a picture of that upright size opens with: the coarsest that keeps what
// the area shows at its fit and what the screen shows, a drawing drawn at the larger
// of the two sizes it is shown at.
Detail DetailFor(QSize picture, const Showing& showing);

// Which file a picture was read from, as it was then: a file replaced or written
// since differs.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  std::int64_t size = -1;
  std::int64_t modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};
// The stamp of a file now (an empty stamp when it cannot be had).
FileStamp StampOf(const std::string& path);

// A picture file as the view holds it: its own size, and its pixels at 1/factor,
// both upright; a drawing as large as it was drawn, at least the detail of
// 1/factor.
struct DecodedPicture {
  QImage image;
  QSize size;
  int factor = 1;
  bool drawing = false;
  FileStamp stamp;  // of the file the pixels came from
};
// Reads a picture, its format decided by content, turns it upright, with the detail
// detailFor(its upright size) asks for: a JPEG at the JPEG library's reduction
// within it, a drawing (WMF) at the size asked, other formats at their size, which
// their decoders cannot reduce. Safe on any thread. Throws qm::RuntimeError 53 for
// a missing file, 481 for a file that holds no picture the reader knows, and 7 (out
// of memory) before decoding anything when the decode would take more than budget
// bytes.
DecodedPicture ReadPicture(const std::string& path, const std::function<Detail(QSize)>& detailFor,
                           std::int64_t budget = pictures::kViewerBudget);

}  // namespace viewer
