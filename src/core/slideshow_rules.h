#pragma once
// Rules of the full-screen viewer and the slide show that need no widget: where a
// picture goes on the screen and the delay typed into the slide show's dialog.
#include <QRect>
#include <QSize>
#include <optional>
#include <string>

namespace slideshow {

// The picture fitted to the screen keeping its shape, centred: as high as the
// screen when it is narrower in shape, else as wide. Smaller pictures are
// enlarged. Nothing (an empty rectangle) when either size is not positive.
QRect FullScreenFit(QSize picture, QSize screen);

// The leading decimal number of a text (leading blanks skipped; 0 when there is
// none), as the dialog reads its delay: "12abc" is 12, "2.5s" is 2.5.
double LeadingNumber(const std::string& text);

// The delay in whole milliseconds (halves to the even number) for a text, or
// nothing when its number lies outside 1 to 60 seconds.
std::optional<int> SlideShowInterval(const std::string& text);

}  // namespace slideshow
