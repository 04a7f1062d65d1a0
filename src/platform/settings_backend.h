#pragma once
// The store behind the settings class: one INI file per application under the
// user's XDG configuration folder (Dravenholt/<app>.ini), with the system-wide file
// of the same name read as a fallback. A section is an INI group, a key an INI key.
#include <optional>
#include <string>

namespace qm {

std::optional<std::string> ReadSetting(const std::string& app, const std::string& section, const std::string& key);
// One file only, with no fallback: the user's or the system-wide one. A missing file,
// section or key reads as nothing, and no file is made.
enum class SettingsScope { User, System };
std::optional<std::string> ReadSettingIn(SettingsScope scope, const std::string& app, const std::string& section,
                                         const std::string& key);
bool WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& value);

// Tests put the user's file into their own folder, and the system-wide file into
// another one or, with none given, read no system-wide file.
void SetSettingsFolderForTests(const std::string& folder, const std::string& systemFolder = "");
std::string SettingsFilePath(const std::string& app);
// The system-wide file read as the fallback; empty when there is none.
std::string SystemSettingsFilePath(const std::string& app);

}  // namespace qm
