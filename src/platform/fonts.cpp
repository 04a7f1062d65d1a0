#include "platform/fonts.h"

#include "platform/files.h"

namespace qm {

QString FontFamilyFor(const std::string& designFamily) {
  // Liberation Sans has Arial's metrics; Tahoma and MS Sans Serif are narrower
  // sans faces, for which DejaVu Sans is the closest installed match.
  struct Mapping {
    const char* design;
    const char* installed;
  };
  static constexpr Mapping kMap[] = {
      {"ARIAL", "Liberation Sans"},
      {"TAHOMA", "DejaVu Sans"},
      {"MS SANS SERIF", "Liberation Sans"},
      {"TIMES NEW ROMAN", "Liberation Serif"},
      {"COURIER NEW", "Liberation Mono"},
  };
  const std::string key = ToUpperAscii(designFamily);
  for (const auto& m : kMap)
    if (key == m.design) return QString::fromLatin1(m.installed);
  return QString::fromStdString(designFamily);
}

QFont UiFont(const std::string& designFamily, double points, bool bold, bool italic) {
  QFont f(FontFamilyFor(designFamily));
  f.setPointSizeF(points);
  f.setBold(bold);
  f.setItalic(italic);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace qm
