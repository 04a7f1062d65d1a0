// The archive check on archives that are not tidy: copies already in the Removed
// folder, awkward and long names, photos on a medium that is not mounted, photos
// linked under another name, folders that cannot be read.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>

#include "archive/archivecheck.h"
#include "core/archive_rules.h"
#include "core/groupcleanup.h"
#include "core/photolinks.h"
#include "support/check_fixture.h"

class ArchiveFaultsTest : public CheckTest {
protected:
  void Link(const std::string& name, const std::string& photoPath, const std::string& words = "") {
    Write("Photo_Info/" + name + ".info", CrLf({"PhotoPath=" + photoPath, "TITLE=" + words}));
  }
  std::vector<std::string> Removed() const { return AllEntries(Path("Photo_Info/Removed")); }
  size_t LogCount(const std::string& text) const {
    size_t n = 0;
    for (const std::string& l : LogEntries()) n += l.find(text) != std::string::npos;
    return n;
  }
};

TEST_F(ArchiveFaultsTest, ASetAsideNeverOverwritesADifferentCopyAndAddsNoSecondIdenticalOne) {
  Write("Photo_Info/Removed/gone.jpg.info", "the user's words");
  AddOrphan("gone.jpg");
  const std::string orphan = Read("Photo_Info/gone.jpg.info");
  ASSERT_TRUE(SetAsideInfoFile("gone.jpg.info"));
  EXPECT_EQ(Read("Photo_Info/Removed/gone.jpg.info"), "the user's words");
  EXPECT_EQ(Read("Photo_Info/Removed/gone.jpg (2).info"), orphan);

  // The same file again: the copy is there already, so the original just goes.
  AddOrphan("gone.jpg");
  ASSERT_TRUE(SetAsideInfoFile("gone.jpg.info"));
  EXPECT_FALSE(Exists("Photo_Info/gone.jpg.info"));

  // A photo of 0 bytes is set aside and its information file made anew at every
  // start; the copies do not pile up (the first differs from the ones made anew).
  AddPhoto("zero.jpg", "");
  for (int start = 0; start < 4; ++start) CheckFolderContents();
  EXPECT_EQ(Removed(),
            (std::vector<std::string>{"gone.jpg (2).info", "gone.jpg.info", "zero.jpg (2).info", "zero.jpg.info"}));
  EXPECT_TRUE(prompter.Prompts().empty());
}

TEST_F(ArchiveFaultsTest, NamesWithABackslashOrALineBreakKeepTheirInformationFiles) {
  AddCheckedPhoto("a\\b.jpg");
  Write("Photos/line\nbreak.jpg", "photo-bytes");
  Write("Photos/cr\rx.jpg", "photo-bytes");
  // Written by an earlier start, with the user's words in it.
  Write("Photo_Info/line\nbreak.jpg.info", CrLf({"PhotoPath=\\Photos\\line break.jpg", "TITLE=my words"}));
  Write("Photos/new\\one.jpg", "photo-bytes");

  for (int start = 0; start < 2; ++start) {
    CheckFolderContents();
    RemoveMissingPhotosFromGroup();
    if (start == 0) Write("Photo_Info/new\\one.jpg.info", Read("Photo_Info/new\\one.jpg.info") + "TITLE=mine\r\n");
  }

  EXPECT_FALSE(qm::FolderExists(Path("Photo_Info/Removed"))) << "nothing was set aside";
  EXPECT_EQ(GetPhotoLink("a\\b.jpg.info"), Path("Photos/a\\b.jpg"));
  EXPECT_EQ(GetPhotoLink("new\\one.jpg.info"), Path("Photos/new\\one.jpg"));
  EXPECT_NE(Read("Photo_Info/new\\one.jpg.info").find("TITLE=mine"), std::string::npos);
  EXPECT_EQ(Read("Photo_Info/line\nbreak.jpg.info"),
            CrLf({"PhotoPath=\\Photos\\line break.jpg", "TITLE=my words"}));
  EXPECT_FALSE(Exists("Photo_Info/cr\rx.jpg.info"));
  EXPECT_EQ(Read("Photo_Thumbnails/a\\b.jpg"), "BM-thumbnail");
  // A name that would break a list's lines stays out of the lists; logged once a start.
  EXPECT_EQ(Read("Photo_SlideGroups/  All Photos  .lst"), CrLf({"a\\b.jpg", "new\\one.jpg"}));
  EXPECT_EQ(LogCount("line<LF>break.jpg"), 2u);
  EXPECT_EQ(LogCount("cr<CR>x.jpg"), 2u);
}

TEST_F(ArchiveFaultsTest, PhotosWithNamesUpToTheLengthLimitGetInformationFiles) {
  const std::string longName = std::string(236, 'l') + ".jpg";
  const std::string longest = std::string(246, 'm') + ".jpg";  // 250 bytes: ".info" still fits
  const std::string tooLong = std::string(251, 't') + ".jpg";  // its ".info" name cannot exist
  for (const std::string& n : {longName, longest, tooLong}) Write("Photos/" + n, "photo-bytes");

  CheckFolderContents();

  EXPECT_TRUE(Exists("Photo_Info/" + longName + ".info"));
  EXPECT_TRUE(Exists("Photo_Info/" + longest + ".info"));
  EXPECT_EQ(Read("Photo_SlideGroups/  All Photos  .lst"), CrLf({longName, longest}));
  EXPECT_EQ(LogCount(tooLong), 1u);
}

TEST_F(ArchiveFaultsTest, PhotosOnAMediumThatIsNotMountedKeepTheirFilesGroupsAndThumbnails) {
  QTemporaryDir media;
  ASSERT_TRUE(media.isValid());
  const std::string usb = media.path().toStdString() + "/usb";  // an empty mount point
  std::filesystem::create_directories(usb);
  std::filesystem::create_directories(media.path().toStdString() + "/disk");
  qm::ReplaceFileAtomically(media.path().toStdString() + "/disk/other.jpg", "still here");
  Link("trip.jpg", usb + "/Photos/trip.jpg", "my trip");  // its folder is missing
  Link("beach.jpg", usb + "/beach.jpg", "my beach");      // its folder is empty
  Link("gone.jpg", media.path().toStdString() + "/disk/gone.jpg");
  Link("local.jpg", "\\Photos\\local.jpg");  // inside the program folder: missing is missing
  for (const char* n : {"trip.jpg", "beach.jpg"}) Write(std::string("Photo_Thumbnails/") + n, "BM-good");
  Write("Photo_SlideGroups/Trip.lst", CrLf({"trip.jpg", "gone.jpg", "beach.jpg", "local.jpg"}));
  SetAutoFix("False");
  prompter.ExpectMsg(qm::MsgAnswer::Yes);  // two information files without a photo
  prompter.ExpectMsg(qm::MsgAnswer::Yes);

  CheckFolderContents();
  RemoveMissingPhotosFromGroup();

  ASSERT_EQ(prompter.Prompts().size(), 2u) << "no thumbnail is listed for rebuilding";
  EXPECT_NE(prompter.Prompts()[0].text.find("detected 2 INFO"), std::string::npos);
  EXPECT_EQ(Removed(), (std::vector<std::string>{"gone.jpg.info", "local.jpg.info"}));
  EXPECT_NE(Read("Photo_Info/trip.jpg.info").find("my trip"), std::string::npos);
  EXPECT_NE(Read("Photo_Info/beach.jpg.info").find("my beach"), std::string::npos);
  EXPECT_EQ(Read("Photo_Thumbnails/trip.jpg"), "BM-good");
  EXPECT_EQ(Read("Photo_Thumbnails/beach.jpg"), "BM-good");
  EXPECT_EQ(Read("Photo_SlideGroups/Trip.lst"), CrLf({"trip.jpg", "beach.jpg"}));
  EXPECT_EQ(LogCount("trip.jpg"), 1u);
  EXPECT_EQ(LogCount("beach.jpg"), 1u);
}

TEST_F(ArchiveFaultsTest, ALinkedPhotosThumbnailGoesByThePhotoName) {
  QTemporaryDir other;
  ASSERT_TRUE(other.isValid());
  const std::string photo = other.path().toStdString() + "/DSC001.jpg";
  qm::ReplaceFileAtomically(photo, "photo-bytes");
  ASSERT_TRUE(qm::SetFileModified(photo, 1500000000));
  Link("Image0100.jpg", photo);
  Write("Photo_Thumbnails/Image0100.jpg", "BM-thumbnail");
  SetTime("Photo_Thumbnails/Image0100.jpg", 1500000000);

  std::string name;
  EXPECT_FALSE(ThumbnailNeedsBuilding("Image0100.jpg.info", name));
  EXPECT_EQ(name, "Image0100.jpg");
  SetTime("Photo_Thumbnails/Image0100.jpg", 1500000001);
  EXPECT_TRUE(ThumbnailNeedsBuilding("Image0100.jpg.info", name));
}

TEST_F(ArchiveFaultsTest, AnInformationFolderThatCannotBeReadEmptiesNoGroup) {
  AddCheckedPhoto("a.jpg");
  AddCheckedPhoto("b.jpg");
  ASSERT_TRUE(Create_AllPhotos_Group(kAllPhotosFile));
  Write("Photo_SlideGroups/Trip.lst", CrLf({"b.jpg", "a.jpg"}));
  const std::string all = Read("Photo_SlideGroups/" + kAllPhotosFile);
  // A folder that is a link to itself can be neither listed nor looked into.
  std::filesystem::create_directory_symlink(Path("loop"), Path("loop"));
  InfoFolder = Path("loop") + "/";

  CheckFolderContents();
  RemoveMissingPhotosFromGroup();

  EXPECT_EQ(Read("Photo_SlideGroups/" + kAllPhotosFile), all);
  EXPECT_EQ(Read("Photo_SlideGroups/Trip.lst"), CrLf({"b.jpg", "a.jpg"}));
  EXPECT_FALSE(qm::FolderExists(Path("Photo_Info/Removed")));
  EXPECT_GE(LogCount("RemoveMissingPhotosFromGroup"), 1u);
}
