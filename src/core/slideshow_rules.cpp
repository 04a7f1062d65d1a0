#include "core/slideshow_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cctype>

namespace slideshow {

QRect FullScreenFit(QSize picture, QSize screen) {
  if (picture.width() <= 0 || picture.height() <= 0 || screen.width() <= 0 || screen.height() <= 0) return {};
  const double a = double(picture.width()) / picture.height();
  const double s = double(screen.width()) / screen.height();
  int w = screen.width(), h = screen.height();
  if (a < s)
    w = int(std::lround(h * a));
  else
    h = int(std::lround(w / a));
  w = std::max(w, 1);
  h = std::max(h, 1);
  return {int(std::floor((screen.width() - w) * 0.5)), int(std::floor((screen.height() - h) * 0.5)), w, h};
}

double LeadingNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t start = i;
  auto digits = [&] {
    const std::size_t from = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    return i > from;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool any = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    any = digits() || any;
  }
  if (!any) return 0;
  // An exponent counts only when digits follow it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t back = i++;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (!digits()) i = back;
  }
  std::size_t from = start + (text[start] == '+' ? 1 : 0);
  double v = 0;
  // from_chars, unlike strtod, does not follow the user's locale.
  std::from_chars(text.data() + from, text.data() + i, v);
  return std::isfinite(v) ? v : 0;
}

std::optional<int> SlideShowInterval(const std::string& text) {
  const double v = LeadingNumber(text);
  if (!(v >= 1 && v <= 60)) return std::nullopt;
  return int(std::nearbyint(v * 1000));
}

}  // namespace slideshow
