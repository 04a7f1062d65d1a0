#include "platform/settings_backend.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace qm {
namespace {

bool g_testMode = false;
std::string g_testFolder;
std::string g_testSystemFolder;

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QString UserFolder() {
  if (g_testMode) return Q(g_testFolder);
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

// INI keys may not hold "/" or "\" (QSettings treats them as group separators).
QString KeyOf(const std::string& section, const std::string& key) {
  QString s = Q(section), k = Q(key);
  s.replace('\\', '/');
  k.replace('/', '_').replace('\\', '_');
  return s + "/" + k;
}

std::optional<std::string> ReadFrom(const QString& file, const QString& key) {
  if (file.isEmpty() || !QFile::exists(file)) return std::nullopt;
  QSettings ini(file, QSettings::IniFormat);
  if (!ini.contains(key)) return std::nullopt;
  QVariant v = ini.value(key);
  // Unquoted commas in a hand-written file read as a list; keep the text as written.
  if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(",").toStdString();
  return v.toString().toStdString();
}

QString SystemFile(const std::string& app) {
  if (g_testMode) {
    if (g_testSystemFolder.empty()) return {};
    return Q(g_testSystemFolder) + "/Dravenholt/" + Q(app) + ".ini";
  }
  for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
    if (dir == UserFolder()) continue;
    QString f = dir + "/Dravenholt/" + Q(app) + ".ini";
    if (QFile::exists(f)) return f;
  }
  return {};
}

}  // namespace

std::string SettingsFilePath(const std::string& app) {
  return (UserFolder() + "/Dravenholt/" + Q(app) + ".ini").toStdString();
}

std::optional<std::string> ReadSetting(const std::string& app, const std::string& section, const std::string& key) {
  const QString k = KeyOf(section, key);
  if (auto v = ReadFrom(Q(SettingsFilePath(app)), k)) return v;
  return ReadFrom(SystemFile(app), k);
}

std::optional<std::string> ReadSettingIn(SettingsScope scope, const std::string& app, const std::string& section,
                                         const std::string& key) {
  const QString file = scope == SettingsScope::User ? Q(SettingsFilePath(app)) : SystemFile(app);
  return ReadFrom(file, KeyOf(section, key));
}

std::string SystemSettingsFilePath(const std::string& app) { return SystemFile(app).toStdString(); }

bool WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& value) {
  QSettings ini(Q(SettingsFilePath(app)), QSettings::IniFormat);
  ini.setValue(KeyOf(section, key), Q(value));
  ini.sync();
  return ini.status() == QSettings::NoError;
}

void SetSettingsFolderForTests(const std::string& folder, const std::string& systemFolder) {
  g_testMode = true;
  g_testFolder = folder;
  g_testSystemFolder = systemFolder;
}

}  // namespace qm
