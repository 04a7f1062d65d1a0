#pragma once
// Rules of the full-screen viewer and the slide show that need no widget: where a
// picture goes on the screen, how a picture is read for that size, and the
// delay typed into the slide show's dialog.
#include <QImage>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <optional>
#include <string>

#include "core/picture_decode.h"

namespace slideshow {

// The picture fitted to the screen keeping its shape, centred: as high as the
// screen when it is narrower in shape, else as wide. Smaller pictures are
// enlarged. Nothing (an empty rectangle) when either size is not positive.
QRect FullScreenFit(QSize picture, QSize screen);

// A picture file read for showing at a size: a JPEG decoded at the coarsest n/8
// that covers it and scaled to it once; other formats at their own size. The
// picture's own size comes with it. Throws qm::RuntimeError 53 for a missing file,
// 481 for no picture the reader knows, 7 before decoding when the decode would
// take more than budget bytes.
struct ScreenPicture {
  QImage image;
  QSize size;
};
ScreenPicture ReadPictureFor(const std::string& path, QSize shown,
                             std::int64_t budget = pictures::kViewerBudget);

// The leading decimal number of a text (leading blanks skipped; 0 when there is
// none), as the dialog reads its delay: "12abc" is 12, "2.5s" is 2.5.
double LeadingNumber(const std::string& text);

// The delay in whole milliseconds (halves to the even number) for a text, or
// nothing when its number lies outside 1 to 60 seconds.
std::optional<int> SlideShowInterval(const std::string& text);

}  // namespace slideshow
