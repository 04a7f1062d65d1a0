#include "core/CDravenholtReg.h"

#include <cctype>
#include <charconv>

#include "platform/files.h"
#include "platform/runtime_error.h"
#include "platform/settings_backend.h"

namespace {

const std::string kProductKey = "SOFTWARE\\Dravenholt\\";

// Splits "SOFTWARE\Dravenholt\<app>\<section>" into its application and section;
// any other key lives in a store of its own named after the vendor.
void AddressOf(const std::string& keyName, std::string& app, std::string& section) {
  if (qm::ToUpperAscii(keyName.substr(0, kProductKey.size())) == qm::ToUpperAscii(kProductKey)) {
    std::string rest = keyName.substr(kProductKey.size());
    size_t slash = rest.find('\\');
    app = rest.substr(0, slash);
    section = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
    return;
  }
  app = "Registry";
  section = keyName;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

}  // namespace

std::string CDravenholtReg::GetDravenholtSetting(const std::string& AppName, const std::string& GroupName,
                                                 const std::string& ItemName, const std::string& DefaultValue) {
  auto v = qm::ReadSetting(AppName, GroupName, ItemName);
  return v ? *v : DefaultValue;
}

bool CDravenholtReg::SetDravenholtSetting(const std::string& AppName, const std::string& GroupName,
                                          const std::string& ItemName, const std::string& ItemValue) {
  return qm::WriteSetting(AppName, GroupName, ItemName, ItemValue);
}

std::string CDravenholtReg::GetRegSetting(const std::string& KeyName, const std::string& ItemName,
                                          const std::string& DefaultValue) {
  std::string app, section;
  AddressOf(KeyName, app, section);
  auto v = qm::ReadSetting(app, section, ItemName);
  return v ? *v : DefaultValue;
}

bool CDravenholtReg::SetRegSetting(const std::string& KeyName, const std::string& ItemName,
                                   const std::string& ItemValue) {
  std::string app, section;
  AddressOf(KeyName, app, section);
  return qm::WriteSetting(app, section, ItemName, ItemValue);
}

bool ToTruthValue(const std::string& text) {
  const std::string t = Trim(text);
  const std::string up = qm::ToUpperAscii(t);
  if (up == "TRUE") return true;
  if (up == "FALSE") return false;
  // A plain decimal number, read without the C library's locale (Qt sets the user's,
  // whose decimal comma would refuse "1.5"), and no "inf" or "nan".
  std::string num = t;
  if (!num.empty() && (num[0] == '+' || num[0] == '-')) num.erase(0, 1);
  const bool plain = !num.empty() && (std::isdigit((unsigned char)num[0]) || num[0] == '.') &&
                     num.find_first_not_of("0123456789.eE+-") == std::string::npos;
  if (plain) {
    double d = 0;
    auto [end, ec] = std::from_chars(num.data(), num.data() + num.size(), d);
    if (ec == std::errc() && end == num.data() + num.size()) return d != 0.0;
  }
  throw qm::RuntimeError(qm::ErrTypeMismatch);
}
