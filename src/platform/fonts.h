#pragma once
// Window fonts by the family names the windows were designed with, mapped to
// metric-compatible families that Debian ships (fonts-liberation, fonts-dejavu).
#include <QFont>
#include <string>

namespace qm {

// The installed family used for a design family ("Arial", "Tahoma",
// "MS Sans Serif", "Times New Roman", "Courier New"); unknown names pass through.
QString FontFamilyFor(const std::string& designFamily);

QFont UiFont(const std::string& designFamily, double points, bool bold = false, bool italic = false);

}  // namespace qm
