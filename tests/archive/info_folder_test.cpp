// The archive check when the settings point the information folder elsewhere: at
// a folder of the user's other files, or at a folder that is not there.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>

#include "archive/archivecheck.h"
#include "core/groupcleanup.h"
#include "support/check_fixture.h"

namespace fs = std::filesystem;

class InfoFolderTest : public CheckTest {
protected:
  void UseInfoSetting(const std::string& value) {
    gSettings.SetDravenholtSetting(kAppName, "SourceFolders", "Info", value);
    ReadFolderSettings();
  }
  size_t LogCount(const std::string& text) const {
    size_t n = 0;
    for (const std::string& l : LogEntries()) n += l.find(text) != std::string::npos;
    return n;
  }
};

TEST_F(InfoFolderTest, AFolderOfOtherFilesKeepsEveryOneOfThem) {
  QTemporaryDir documents;
  ASSERT_TRUE(documents.isValid());
  const std::string docs = documents.path().toStdString();
  // "." is the program folder, where the program itself lies.
  const std::pair<std::string, std::string> settings[] = {{".", Root() + "/"}, {docs, docs + "/"}};
  for (const auto& [setting, folder] : settings) {
    SCOPED_TRACE(setting);
    // The program itself among the user's files.
    const std::pair<std::string, std::string> others[] = {{"quillmont", "\x7F" "ELF the program"},
                                                          {"letter.txt", "the user's letter"}};
    for (const auto& [name, bytes] : others) qm::ReplaceFileAtomically(folder + name, bytes);
    fs::permissions(folder + "quillmont", fs::perms(0755));
    AddCheckedPhoto("beach.jpg");
    fs::remove(Path("Photo_Info/beach.jpg.info"));
    qm::ReplaceFileAtomically(folder + "beach.jpg.info", CrLf({"PhotoPath=\\Photos\\beach.jpg", "TITLE=Beach"}));
    qm::ReplaceFileAtomically(folder + "gone.jpg.info", CrLf({"PhotoPath=\\Photos\\gone.jpg"}));
    UseInfoSetting(setting);
    ASSERT_EQ(InfoFolder, FolderFromSetting(setting));

    CheckFolderContents();

    for (const auto& [name, bytes] : others) EXPECT_EQ(qm::ReadFileBytes(folder + name), bytes) << name;
    EXPECT_EQ(fs::status(folder + "quillmont").permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
    EXPECT_EQ(AllEntries(folder + "Removed"), std::vector<std::string>{"gone.jpg.info"});
    EXPECT_EQ(Read("Photo_SlideGroups/" + kAllPhotosFile), CrLf({"beach.jpg"}));
    EXPECT_EQ(AllEntries(Path("Photo_Thumbnails")), std::vector<std::string>{"beach.jpg"});
    EXPECT_TRUE(prompter.Prompts().empty());
    for (const char* name : {"quillmont", "letter.txt", "beach.jpg.info"}) fs::remove(folder + name);
    fs::remove_all(folder + "Removed");
  }
  // The photo folder doubling as the information folder: an information file there
  // is no photo and gets none of its own.
  Write("Photos/beach.jpg.info", CrLf({"PhotoPath=\\Photos\\beach.jpg"}));
  UseInfoSetting("\\Photos\\");
  CheckFolderContents();
  EXPECT_FALSE(Exists("Photos/beach.jpg.info.info"));
  EXPECT_EQ(Read("Photo_SlideGroups/" + kAllPhotosFile), CrLf({"beach.jpg"}));
}

TEST_F(InfoFolderTest, AFolderThatIsNotThereFailsTheCheckAndKeepsEveryList) {
  AddCheckedPhoto("a.jpg");
  AddCheckedPhoto("b.jpg");
  Write("Photos/new.jpg", "a photo put in by hand");
  ASSERT_TRUE(Create_AllPhotos_Group(kAllPhotosFile));
  Write("Photo_SlideGroups/Trip.lst", CrLf({"b.jpg", "a.jpg"}));
  const std::string all = Read("Photo_SlideGroups/" + kAllPhotosFile);
  const std::string missing = Root() + "/Unplugged/Info/";
  UseInfoSetting(missing);

  CheckFolderContents();
  RemoveMissingPhotosFromGroup();

  EXPECT_EQ(Read("Photo_SlideGroups/" + kAllPhotosFile), all);
  EXPECT_EQ(Read("Photo_SlideGroups/Trip.lst"), CrLf({"b.jpg", "a.jpg"}));
  EXPECT_FALSE(qm::FolderExists(Root() + "/Unplugged"));
  EXPECT_TRUE(prompter.Prompts().empty());
  const std::string why = "Path not found (the information folder " + missing + " does not exist)";
  for (const char* step : {"PhotoFilesExist", "InfoFilesExist", "ThumbnailFilesExist", "Create_AllPhotos_Group"})
    EXPECT_EQ(LogCount("An error has occurred in '" + std::string(step) + "'. Error = " + why), 1u) << step;
  EXPECT_GE(LogCount("RemoveMissingPhotosFromGroup"), 1u);
}
