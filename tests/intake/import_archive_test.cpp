// The import run against the archive's own files: sources that are files of the
// archive, earlier photos a copy would replace, names that reach other folders,
// empty sources, and rows that fail half way.
#include <filesystem>
#include <optional>

#include "import_fixture.h"
#include "support/fs_faults.h"

namespace {
const std::string kOwnFile = "    Error=The file is already part of the archive\r";
}

TEST_F(ImportTest, NoFileOfTheArchiveIsReadAsANewPhoto) {
  const std::string src = Source({"a.jpg", "b.jpg"}, "../card");
  Rows({"a.jpg", "b.jpg"}, src);
  Options(false);
  D().cmdImport_Click();
  ASSERT_EQ(Thumbs().size(), 2u);
  Write("Photos/Removed/old.jpg", Jpeg(5));
  Write("Photo_Midi/song.mid", "MThd");
  Write("Photo_Audio/a.jpg.wav", "RIFF");
  // Links from outside the archive to its files are those files.
  std::filesystem::create_directories(Path("cards"));
  std::filesystem::create_symlink(Path("Photo_Thumbnails/b.jpg"), Path("cards/thumb.jpg"));
  std::filesystem::create_hard_link(Path("Photo_Info/a.jpg.info"), Path("cards/info.jpg"));
  std::filesystem::create_directory_symlink(Path("Photo_SlideGroups"), Path("groups"));
  const std::vector<std::string> before = {Read("Photos/a.jpg"), Read("Photos/b.jpg"), Read("Photo_Thumbnails/a.jpg"),
                                           Read("Photo_Info/a.jpg.info"), Read("Photo_Info/b.jpg.info")};

  for (bool links : {false, true}) {
    SCOPED_TRACE(links);
    frmImport::Unload();
    Rows({"a.jpg", "b.jpg"}, ThumbnailsFolder);
    Rows({"old.jpg"}, PhotosFolder + "Removed");
    Rows({"song.mid"}, MidiFolder);
    Rows({"a.jpg.wav"}, AudioFolder);
    Rows({"thumb.jpg", "info.jpg"}, Path("cards"));
    Rows({kAllPhotosFile}, Path("groups"));
    Options(links, true, true);
    prompter.ExpectMsg(qm::MsgAnswer::OK);
    D().cmdImport_Click();
    std::string expected = kImportReport;
    for (const char* n : {"a.jpg", "b.jpg", "old.jpg", "song.mid", "a.jpg.wav", "thumb.jpg", "info.jpg"})
      expected += n + kOwnFile;
    EXPECT_EQ(LastMessage(), expected + kAllPhotosFile + kOwnFile);
    EXPECT_EQ(std::vector<std::string>({Read("Photos/a.jpg"), Read("Photos/b.jpg"), Read("Photo_Thumbnails/a.jpg"),
                                        Read("Photo_Info/a.jpg.info"), Read("Photo_Info/b.jpg.info")}),
              before);
    EXPECT_EQ(qm::ListFiles(PhotosFolder), std::vector<std::string>({"a.jpg", "b.jpg"}));
    EXPECT_EQ(Infos(), std::vector<std::string>({"a.jpg.info", "b.jpg.info"}));
  }
  // A photo of the archive under another name is no photo of its own either.
  frmImport::Unload();
  Rows({"a.jpg"}, PhotosFolder);
  Options(false, false, false, true);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  D().cmdImport_Click();
  EXPECT_EQ(LastMessage(), kImportReport + "Image0100.jpg" + kOwnFile);
}

TEST_F(ImportTest, ACopyOverAnEarlierPhotoSetsItAsideUnlessItIsToBeOverwritten) {
  AddPhoto("x.jpg", "earlier photo");
  const std::string src = Source({"x.jpg"});
  Rows({"x.jpg"}, src);
  // Only the information files are to be overwritten: the earlier photo is kept.
  Options(false, false, true);
  D().cmdImport_Click();
  EXPECT_EQ(Read("Photos/x.jpg"), Read("src/x.jpg"));
  EXPECT_EQ(Read("Photos/Removed/x.jpg"), "earlier photo");
  // The same bytes again lose nothing, so nothing more is kept.
  D().cmdImport_Click();
  EXPECT_EQ(AllEntries(PhotosFolder + "Removed"), std::vector<std::string>{"x.jpg"});
  Write("src/x.jpg", Jpeg(7));
  const std::string second = Read("Photos/x.jpg");
  D().cmdImport_Click();
  EXPECT_EQ(Read("Photos/Removed/x (2).jpg"), second);
  // Overwriting photos replaces it without keeping it.
  Write("src/x.jpg", Jpeg(8));
  Options(false, true, true);
  D().cmdImport_Click();
  EXPECT_EQ(AllEntries(PhotosFolder + "Removed").size(), 2u);
  EXPECT_EQ(Read("Photos/x.jpg"), Read("src/x.jpg"));
  EXPECT_TRUE(prompter.Prompts().empty());
}

TEST_F(ImportTest, ARowThatCannotEnterLeavesNothingBehind) {
  // "Removed" folders exist after any removal; a number may hold anything.
  for (const std::string* folder : {&PhotosFolder, &InfoFolder})
    std::filesystem::create_directories(*folder + "Removed");
  // A name with no room left for ".info": its copy is taken back.
  const std::string longName = std::string(248, 'n') + ".jpg";
  const std::string src = Source({"a.jpg", longName});
  Write("src/empty.jpg", "");
  const struct {
    std::string row;
    bool links;
    const char* number;  // auto-named with the prefix "Removed" when set
    std::string error;
  } cases[] = {{"a.jpg", false, "/../../../x", "Removed/../../../x.jpg    Error=Bad file name or number"},
               {"empty.jpg", false, nullptr, "empty.jpg    Error=The file is empty"},
               {"empty.jpg", true, nullptr, "empty.jpg    Error=The file is empty"},
               {longName, false, nullptr, longName + "    Error=The information file could not be written"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    Reopen();
    Rows({c.row}, src);
    Options(c.links, false, false, c.number != nullptr);
    if (c.number) {
      D().txtAutoName[0]->setText("Removed");
      D().txtAutoName[1]->setText(c.number);
    }
    prompter.ExpectMsg(qm::MsgAnswer::OK);
    D().cmdImport_Click();
    EXPECT_EQ(LastMessage(), kImportReport + c.error + "\r");
    EXPECT_TRUE(Infos().empty());
    EXPECT_EQ(AllEntries(PhotosFolder), std::vector<std::string>{"Removed"});
    EXPECT_TRUE(AllEntries(PhotosFolder + "Removed").empty());
  }
  const std::string above = qm::ParentFolder(Root());
  EXPECT_FALSE(qm::FileExists(above + "x.jpg") || qm::FileExists(above + "x.jpg.info"));
  EXPECT_EQ(Setting("Autonumber"), "00000000001") << "the number is used up as before";
}

TEST_F(ImportTest, AnEarlierPhotoIsReplacedOnlyOnceItIsKeptAndTheNewInformationFileWritten) {
  AddPhoto("x.jpg", "earlier photo");
  const std::string info = Read("Photo_Info/x.jpg.info");
  const std::string src = Source({"x.jpg"});
  // Where the row fails: keeping the earlier photo, writing the information file,
  // or at its very last step, the photo's rename (an immutable earlier photo).
  enum Fault { RemovedBlocked, InfoFolderReadOnly, PhotoImmutable };
  const struct {
    Fault fault;
    bool overwritePhotos;
    const char* error;
  } cases[] = {{RemovedBlocked, false, "The earlier photo could not be set aside"},
               {InfoFolderReadOnly, false, "The information file could not be written"},
               {InfoFolderReadOnly, true, "The information file could not be written"},
               {PhotoImmutable, false, "Permission denied"},
               {PhotoImmutable, true, "Permission denied"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error + std::string(c.overwritePhotos ? " overwriting" : ""));
    frmImport::Unload();
    std::filesystem::remove_all(Path("Photos/Removed"));
    if (c.fault == RemovedBlocked)
      Write("Photos/Removed", "a file in the way");
    else if (c.fault == InfoFolderReadOnly)
      std::filesystem::create_directories(Path("Photos/Removed"));
    Rows({"x.jpg"}, src);
    Options(false, c.overwritePhotos, true);
    prompter.ExpectMsg(qm::MsgAnswer::OK);
    {
      std::optional<ReadOnlyFolder> ro;
      std::optional<ImmutableFile> fixed;
      if (c.fault == InfoFolderReadOnly) {
        ASSERT_TRUE(ro.emplace(InfoFolder).ok());
      }
      if (c.fault == PhotoImmutable && !fixed.emplace(PhotosFolder + "x.jpg").ok())
        GTEST_SKIP() << "no immutable files here (root and a file system such as ext4 or tmpfs)";
      D().cmdImport_Click();
    }
    EXPECT_EQ(LastMessage(), kImportReport + "x.jpg    Error=" + c.error + "\r");
    EXPECT_EQ(Read("Photos/x.jpg"), "earlier photo");
    EXPECT_EQ(Read("Photo_Info/x.jpg.info"), info);
    EXPECT_EQ(AllEntries(PhotosFolder), c.fault == PhotoImmutable ? std::vector<std::string>{"x.jpg"}
                                                                   : std::vector<std::string>({"Removed", "x.jpg"}));
    EXPECT_TRUE(c.fault != InfoFolderReadOnly || AllEntries(PhotosFolder + "Removed").empty());
    EXPECT_EQ(AllEntries(InfoFolder), std::vector<std::string>{"x.jpg.info"});
  }
}
