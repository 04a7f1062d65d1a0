#pragma once
// The store behind the settings class: one INI file per application under the
// user's XDG configuration folder (Dravenholt/<app>.ini), with the system-wide file
// of the same name read as a fallback. A section is an INI group, a key an INI key.
#include <optional>
#include <string>

namespace qm {

std::optional<std::string> ReadSetting(const std::string& app, const std::string& section, const std::string& key);
bool WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& value);

// Tests put the user's file into their own folder and read no system-wide file.
void SetSettingsFolderForTests(const std::string& folder);
std::string SettingsFilePath(const std::string& app);

}  // namespace qm
