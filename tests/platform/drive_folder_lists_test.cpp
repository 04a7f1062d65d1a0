// The shared drive, folder and file lists on real folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/drive_folder_lists.h"
#include "platform/runtime_error.h"
#include "support/temp_archive.h"

using DriveFolderLists = TempArchive;

namespace {
std::vector<std::string> Names(const qm::FileListBox& list) {
  std::vector<std::string> out;
  for (int r = 0; r < list.count(); ++r) out.push_back(list.Name(r));
  return out;
}
}  // namespace

TEST_F(DriveFolderLists, FileListKeepsMatchingNamesAsBytes) {
  for (const char* name : {"a.jpg", "b.BMP", "c.png", ".hidden.jpg", "d\xff.gif"}) Write(std::string("in/") + name, "x");
  std::filesystem::create_directories(Path("in/sub.jpg"));
  qm::FileListBox list(nullptr);
  const struct {
    std::string pattern;
    std::vector<std::string> names;
  } cases[] = {
      {"*", {"a.jpg", "b.BMP", "c.png", "d\xff.gif"}},
      {"*.bmp", {"b.BMP"}},
      {"?\xff.*", {"d\xff.gif"}},
      {"*.abcde", {}},
  };
  for (const auto& c : cases) {
    list.Show(Path("in"), c.pattern);
    EXPECT_EQ(Names(list), c.names) << c.pattern;
  }
  list.Show(Path("in"), [](const std::string& name) { return name.size() == 5; });
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a.jpg", "b.BMP", "c.png"}));
}

TEST_F(DriveFolderLists, AVanishedFolderIsReportedAndLeavesTheLists) {
  Write("in/a.jpg", "x");
  std::filesystem::create_directories(Path("gone"));
  qm::FileListBox files(nullptr);
  files.Show(Path("in"), "*");
  qm::FolderList folders(nullptr);
  int told = 0;
  folders.OnChange = [&] { ++told; };
  folders.SetPath(Path("in") + "/");
  EXPECT_EQ(folders.Path(), Path("in"));
  EXPECT_EQ(told, 1);
  std::filesystem::remove(Path("gone"));
  for (const std::string& gone : {Path("gone"), std::string()}) {
    try {
      folders.SetPath(gone);
      FAIL() << gone;
    } catch (const qm::RuntimeError& e) {
      EXPECT_EQ(e.Number(), qm::ErrPathNotFound);
    }
  }
  files.Show(Path("gone"), "*");
  EXPECT_EQ(files.count(), 0);
  EXPECT_EQ(folders.Path(), Path("in"));
  // Shown quietly: the path moves, nobody is told.
  folders.ShowPath(Root(), "/");
  EXPECT_EQ(folders.Path(), Root());
  EXPECT_EQ(told, 1);
}

TEST_F(DriveFolderLists, DrivesStartAtTheRootAndHoldTheirFolders) {
  for (auto which : {qm::Volumes::All, qm::Volumes::Devices}) {
    const std::vector<std::string> drives = qm::MountedDrives(which);
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front(), "/");
    EXPECT_TRUE(std::is_sorted(drives.begin() + 1, drives.end()));
  }
  qm::DriveList list(nullptr);
  EXPECT_EQ(list.itemText(0), "/");
  list.addItem(QString::fromStdString(Path("card")));
  list.addItem(QString::fromStdString(Path("card2")));
  int told = 0;
  list.OnChange = [&] { ++told; };
  list.ShowDriveOf(Path("card/DCIM"));
  EXPECT_EQ(list.Drive(), Path("card"));
  list.ShowDriveOf(Path("card2"));
  EXPECT_EQ(list.Drive(), Path("card2"));
  EXPECT_EQ(told, 0);
}
