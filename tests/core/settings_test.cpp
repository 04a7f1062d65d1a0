#include <gtest/gtest.h>

#include <QSettings>
#include <QStandardPaths>
#include <filesystem>

#include "core/CDravenholtReg.h"
#include "core/modquillmont.h"
#include "platform/runtime_error.h"
#include "platform/settings_backend.h"
#include "support/temp_archive.h"

namespace {

struct KeyDefault {
  const char* section;
  const char* key;
  std::string def;
};

}  // namespace

class SettingsTest : public TempArchive {
protected:
  std::string Get(const std::string& section, const std::string& key, const std::string& def = "") {
    return gSettings.GetDravenholtSetting(kAppName, section, key, def);
  }
  bool Set(const std::string& section, const std::string& key, const std::string& value) {
    return gSettings.SetDravenholtSetting(kAppName, section, key, value);
  }
  // Writes the store by hand, as an installer would.
  void Store(const std::string& section, const std::string& key, const std::string& value) {
    QSettings ini(QString::fromStdString(qm::SettingsFilePath(kAppName)), QSettings::IniFormat);
    ini.setValue(QString::fromStdString(section + "/" + key), QString::fromStdString(value));
    ini.sync();
    ASSERT_EQ(ini.status(), QSettings::NoError);
  }
};

TEST_F(SettingsTest, EveryKeyOfTheTableReadsItsDefaultWhenNothingIsStored) {
  const std::string root = Root();
  const std::string dataPath = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
  const std::vector<KeyDefault> table = {
      {"SourceFolders", "Photos", root + "/Photos/"},
      {"SourceFolders", "Thumbnails", root + "/Photo_Thumbnails/"},
      {"SourceFolders", "Info", root + "/Photo_Info/"},
      {"SourceFolders", "SlideGroups", root + "/Photo_SlideGroups/"},
      {"SourceFolders", "AudioClips", root + "/Photo_Audio/"},
      {"SourceFolders", "MidiMusic", root + "/Photo_Midi/"},
      {"Options", "AutoFix", "True"},
      {"Options", "FirstTime", "True"},
      {"Installation", "Path", dataPath},
      {"Import", "LastPath", root},
      {"Import", "Autoname", "Image"},
      {"Import", "Autonumber", "0100"},
      {"Export", "LastPath", root},
      {"Sound", "LastPath", root},
  };
  // An existing store with other keys in it behaves the same as no store at all.
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) Store("Other", "Key", "x");
    for (const auto& k : table) EXPECT_EQ(Get(k.section, k.key, k.def), k.def) << k.section << "\\" << k.key;
    EXPECT_EQ(Get("Options", "AutoFix"), "") << "no default given, none returned";
  }

  // The start-up folders come out of the same defaults.
  ReadFolderSettings();
  EXPECT_EQ(PhotosFolder, root + "/Photos/");
  EXPECT_EQ(ThumbnailsFolder, root + "/Photo_Thumbnails/");
  EXPECT_EQ(InfoFolder, root + "/Photo_Info/");
  EXPECT_EQ(SlideGroupsFolder, root + "/Photo_SlideGroups/");
  EXPECT_EQ(AudioFolder, root + "/Photo_Audio/");
  EXPECT_EQ(MidiFolder, root + "/Photo_Midi/");
}

TEST_F(SettingsTest, StoredValuesWinOverTheDefaultEvenWhenEmpty) {
  Store("SourceFolders", "Photos", "/media/pictures/");
  Store("SourceFolders", "SlideGroups", "");
  EXPECT_EQ(Get("SourceFolders", "Photos", "default"), "/media/pictures/");
  EXPECT_EQ(Get("SourceFolders", "SlideGroups", "default"), "");

  ReadFolderSettings();
  EXPECT_EQ(PhotosFolder, "/media/pictures/");
  EXPECT_EQ(SlideGroupsFolder, "");

  // Written through the class, an empty string also reads back empty.
  EXPECT_TRUE(Set("Import", "Autoname", ""));
  EXPECT_EQ(Get("Import", "Autoname", "Image"), "");
}

TEST_F(SettingsTest, ValuesPassThroughUnchanged) {
  for (const std::string v : {"c:\\Program Files\\Dravenholt\\Quillmont", "  padded  ", "a, b, c", "Fotos/Ärger ü",
                              "x=y;z", "#not a comment"}) {
    ASSERT_TRUE(Set("Import", "LastPath", v));
    EXPECT_EQ(Get("Import", "LastPath", "d"), v);
  }
}

TEST_F(SettingsTest, TruthValuesReadAsTheRuntimeConvertsThem) {
  for (const char* f : {"False", "false", "FALSE", "0", "0.0", "-0"}) EXPECT_FALSE(ToTruthValue(f)) << f;
  for (const char* t : {"True", "true", "-1", "1", "2.5", " True "}) EXPECT_TRUE(ToTruthValue(t)) << t;
  for (const char* bad : {"garbage", "", "yes", "Truee", "1x", "nan", "inf", "0x1"}) {
    try {
      ToTruthValue(bad);
      ADD_FAILURE() << "no error for \"" << bad << "\"";
    } catch (const qm::RuntimeError& e) {
      EXPECT_EQ(e.Number(), qm::ErrTypeMismatch) << bad;
      EXPECT_EQ(e.Description(), "Type mismatch");
    }
  }
  EXPECT_STREQ(TruthText(false), "False");
  EXPECT_STREQ(TruthText(true), "True");

  // Through the store, as the first-run notice reads and writes it.
  EXPECT_TRUE(ToTruthValue(Get("Options", "FirstTime", "True")));
  ASSERT_TRUE(Set("Options", "FirstTime", TruthText(false)));
  EXPECT_FALSE(ToTruthValue(Get("Options", "FirstTime", "True")));
  Store("Options", "AutoFix", "-1");
  EXPECT_TRUE(ToTruthValue(Get("Options", "AutoFix", "True")));
  Store("Options", "AutoFix", "perhaps");
  EXPECT_THROW(ToTruthValue(Get("Options", "AutoFix", "True")), qm::RuntimeError);
}

TEST_F(SettingsTest, ExportLastPathIsWrittenAndReadWithoutTouchingImport) {
  ASSERT_TRUE(Set("Import", "LastPath", "/home/me/camera/"));
  ASSERT_TRUE(Set("Export", "LastPath", "/home/me/exports/"));
  EXPECT_EQ(Get("Export", "LastPath", Root()), "/home/me/exports/");
  EXPECT_EQ(Get("Import", "LastPath", Root()), "/home/me/camera/");
  EXPECT_EQ(Get("Sound", "LastPath", Root()), Root());

  // A fresh reader sees the same: nothing is cached.
  CDravenholtReg other;
  EXPECT_EQ(other.GetDravenholtSetting(kAppName, "Export", "LastPath", ""), "/home/me/exports/");
  // The same value is reached through the general key form.
  EXPECT_EQ(other.GetRegSetting("SOFTWARE\\Dravenholt\\Quillmont\\Export", "LastPath"), "/home/me/exports/");
  EXPECT_TRUE(other.SetRegSetting("SOFTWARE\\Dravenholt\\Quillmont\\Export", "LastPath", "/srv/out/"));
  EXPECT_EQ(Get("Export", "LastPath"), "/srv/out/");
  EXPECT_EQ(Get("Import", "LastPath"), "/home/me/camera/");
}

TEST_F(SettingsTest, AFailedWriteReturnsFalse) {
  // The store's folder cannot be made: a plain file stands where it would go.
  const std::string blocked = Path("blocked");
  Write("blocked", "not a folder");
  qm::SetSettingsFolderForTests(blocked);
  EXPECT_FALSE(Set("Export", "LastPath", "/tmp/"));
  EXPECT_EQ(Get("Export", "LastPath", "d"), "d");
}

TEST_F(SettingsTest, StoredFoldersAreNeverTheWorkingFolder) {
  Store("SourceFolders", "Info", "");
  Store("SourceFolders", "Thumbnails", "");
  Store("SourceFolders", "Photos", "Pictures");
  Store("SourceFolders", "AudioClips", "\\Sound\\Clips");
  Store("SourceFolders", "MidiMusic", "/media/music");
  ReadFolderSettings();

  EXPECT_EQ(InfoFolder, Root() + "/Photo_Info/");
  EXPECT_EQ(ThumbnailsFolder, Root() + "/Photo_Thumbnails/");
  EXPECT_EQ(PhotosFolder, Root() + "/Pictures/");
  EXPECT_EQ(AudioFolder, Root() + "/Sound/Clips/");
  EXPECT_EQ(MidiFolder, "/media/music/");
  EXPECT_EQ(SlideGroupsFolder, Root() + "/Photo_SlideGroups/");
  // The store itself still gives what is stored.
  EXPECT_EQ(Get("SourceFolders", "Info", "default"), "");
  // One line for each blank folder.
  ASSERT_EQ(LogEntries().size(), 2u);
  EXPECT_TRUE(LogHas("SourceFolders\\Info")) << LogEntries()[0];
  EXPECT_TRUE(LogHas("SourceFolders\\Thumbnails"));
}
