#include "core/registry_values.h"

#include <optional>

#include "core/modquillmont.h"
#include "platform/settings_backend.h"

bool GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal) {
  std::optional<std::string> value;
  if (KeyRoot == HKEY_LOCAL_MACHINE)
    value = qm::ReadSettingIn(qm::SettingsScope::System, kAppName, KeyName, SubKeyRef);
  else if (KeyRoot == HKEY_CURRENT_USER)
    value = qm::ReadSettingIn(qm::SettingsScope::User, kAppName, KeyName, SubKeyRef);
  if (!value) {
    KeyVal.clear();
    return false;
  }
  // The store holds text only, so every value reads as a string value.
  if (!value->empty() && value->back() == '\0') value->pop_back();
  KeyVal = *value;
  return true;
}
