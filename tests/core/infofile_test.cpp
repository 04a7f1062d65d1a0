#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/albumstate.h"
#include "core/infofile.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/files.h"
#include "support/fs_faults.h"
#include "support/temp_archive.h"

namespace {

// Stands in for the information box and the video buttons, recording the order of calls.
class FakeHost : public InfoFileHost {
public:
  InfoFields boxes;
  std::vector<std::string> calls;
  bool video = false;

  InfoFields ReadEditBoxes() override {
    calls.push_back("read");
    return boxes;
  }
  void WriteEditBoxes(const InfoFields& f) override {
    calls.push_back("write");
    boxes = f;
  }
  void EnableVideo(bool videoState) override {
    calls.push_back("video");
    video = videoState;
  }
};

class InfoFileTest : public TempArchive {
protected:
  void WriteInfo(const std::string& photo, const std::string& content) {
    Write("Photo_Info/" + photo + ".info", content);
  }
  std::string ReadInfo(const std::string& photo) const { return Read("Photo_Info/" + photo + ".info"); }

  // Loads a single-photo group and reads the photo's file.
  bool LoadOnly(const std::string& photo, const std::string& content, InfoFileHost* host = nullptr) {
    WriteInfo(photo, content);
    PhotoNames = {"", photo};
    SelectedFlags = {0, 0};
    return LoadImageInfo(1, host);
  }

  std::vector<std::string> InfoFolderEntries() const { return AllEntries(Path("Photo_Info")); }
};

TEST_F(InfoFileTest, MediaTypeGoesByTheLastFourCharacters) {
  EXPECT_TRUE(IsVideoPath("/x/clip.avi"));
  EXPECT_TRUE(IsVideoPath("/x/CLIP.Mov"));
  EXPECT_TRUE(IsVideoPath("clip.mpg"));
  EXPECT_FALSE(IsVideoPath("/x/clip.mpeg"));
  EXPECT_FALSE(IsVideoPath("/x/beach.jpg"));
  EXPECT_FALSE(IsVideoPath("avi"));
  EXPECT_FALSE(IsVideoPath(""));
}

TEST_F(InfoFileTest, NewFileHasTheTenKeysInOrderAndItsOwnPathAsTitle) {
  const std::string info = InfoFolder + "a.jpg.info";
  ASSERT_TRUE(CreateInfoFile(info, "\\Photos\\a.jpg"));
  EXPECT_EQ(ReadInfo("a.jpg"), "PhotoPath=\\Photos\\a.jpg\r\nTITLE=" + info +
                                   "\r\nPHOTOGRAPHER=\r\nYEAR=\r\nPEOPLE=\r\nPLACE=\r\nEVENT=\r\n"
                                   "KEYWORDS=\r\nImageWidth=\r\nImageHeight=\r\n");

  // It reads back with its link and title, the rest empty and both sizes 0 ...
  gAlbumState.ImageWidth = 7;
  gAlbumState.ImageHeight = 9;
  gAlbumState.Year = "old";
  PhotoNames = {"", "a.jpg"};
  ASSERT_TRUE(LoadImageInfo(1, nullptr));
  const AlbumState& s = gAlbumState;
  EXPECT_EQ(s.PhotoPath, "\\Photos\\a.jpg");
  EXPECT_EQ(s.Title, info);
  EXPECT_EQ(s.Photographer + s.Year + s.People + s.Place + s.Event + s.Keywords, "");
  EXPECT_EQ(s.ImageWidth, 0);
  EXPECT_EQ(s.ImageHeight, 0);

  // ... and a save writes the sizes as 0.
  ASSERT_TRUE(SaveImageInfo(1));
  EXPECT_EQ(ReadInfo("a.jpg"), CrLf({"PhotoPath=\\Photos\\a.jpg", "TITLE=" + info, "PHOTOGRAPHER=", "YEAR=",
                                     "PEOPLE=", "PLACE=", "EVENT=", "KEYWORDS=", "ImageWidth=0", "ImageHeight=0"}));
}

TEST_F(InfoFileTest, SaveWritesEveryFieldAndReadsBackTheSame) {
  PhotoNames = {"", "a.jpg", "b.jpg"};
  AlbumState& s = gAlbumState;
  s.PhotoPath = "/mnt/pics/b.jpg";
  s.Title = "  Beach  ";
  s.Photographer = "Ann=Lee";
  s.Year = "";
  s.People = "x==y";
  s.Place = "Coast";
  s.Event = "Trip";
  s.Keywords = "a=b ";
  s.ImageWidth = 40000;
  s.ImageHeight = -12;
  ASSERT_TRUE(SaveImageInfo(2));
  EXPECT_EQ(ReadInfo("b.jpg"), CrLf({"PhotoPath=/mnt/pics/b.jpg", "TITLE=  Beach  ", "PHOTOGRAPHER=Ann=Lee",
                                     "YEAR=", "PEOPLE=x==y", "PLACE=Coast", "EVENT=Trip", "KEYWORDS=a=b ",
                                     "ImageWidth=40000", "ImageHeight=-12"}));
  EXPECT_FALSE(Exists("Photo_Info/a.jpg.info"));

  const AlbumState saved = s;
  s = AlbumState{};
  ASSERT_TRUE(LoadImageInfo(2, nullptr));
  EXPECT_EQ(s.PhotoPath, saved.PhotoPath);
  EXPECT_EQ(s.Title, saved.Title);
  EXPECT_EQ(s.Photographer, saved.Photographer);
  EXPECT_EQ(s.Year, "");
  EXPECT_EQ(s.People, saved.People);
  EXPECT_EQ(s.Place, saved.Place);
  EXPECT_EQ(s.Event, saved.Event);
  EXPECT_EQ(s.Keywords, saved.Keywords);
  EXPECT_EQ(s.ImageWidth, 40000);
  EXPECT_EQ(s.ImageHeight, -12);
  // Only the information file itself: no temporary file stays behind.
  EXPECT_EQ(InfoFolderEntries(), std::vector<std::string>{"b.jpg.info"});
}

TEST_F(InfoFileTest, LineBreaksInsideAValueCannotAddALine) {
  const InfoFields f{"Beach\r\nYEAR=1850", "Ann\rB", "2001", "Bo\nCy", "", "", ""};
  const std::string text = InfoFileText("\\Photos\\a\r\n.jpg", f, 1, 2);
  EXPECT_EQ(text, CrLf({"PhotoPath=\\Photos\\a  .jpg", "TITLE=Beach  YEAR=1850", "PHOTOGRAPHER=Ann B", "YEAR=2001",
                        "PEOPLE=Bo Cy", "PLACE=", "EVENT=", "KEYWORDS=", "ImageWidth=1", "ImageHeight=2"}));

  PhotoNames = {"", "a.jpg"};
  gAlbumState.Title = "x\nYEAR=1850";
  gAlbumState.Year = "2001";
  ASSERT_TRUE(SaveImageInfo(1));
  ASSERT_TRUE(LoadImageInfo(1, nullptr));
  EXPECT_EQ(gAlbumState.Year, "2001");
  EXPECT_EQ(gAlbumState.Title, "x YEAR=1850");

  ASSERT_TRUE(CreateInfoFile(InfoFolder + "c.jpg.info", "\\Photos\\c.jpg\r\nTITLE=evil"));
  EXPECT_EQ(ReadInfo("c.jpg").substr(0, 36), "PhotoPath=\\Photos\\c.jpg  TITLE=evil\r");
}

TEST_F(InfoFileTest, ReaderMatchesKeysInUpperCaseAndKeepsValuesAsTheyStand) {
  ASSERT_TRUE(LoadOnly("a.jpg", "Title=Beach\r\n"
                                "TITLE =Skipped\r\n"
                                "place=  Cove  \n"
                                "KEYWORDS=a=b\r"
                                "=nokey\r\n"
                                "no equals sign\r\n"
                                "YEAR=1999\r\n"
                                "Year=2001\r\n"
                                "Colour=red\r\n"
                                "event="));
  const AlbumState& s = gAlbumState;
  EXPECT_EQ(s.Title, "Beach");
  EXPECT_EQ(s.Place, "  Cove  ");
  EXPECT_EQ(s.Keywords, "a=b");
  EXPECT_EQ(s.Year, "2001");
  EXPECT_EQ(s.Event, "");
  EXPECT_EQ(s.People, "");
}

TEST_F(InfoFileTest, SizesReadAsRoundedNumbers) {
  struct Case {
    std::string text;
    std::int32_t want;
  };
  for (const Case& c : {Case{"", 0}, Case{"abc", 0}, Case{"640px", 640}, Case{"640.5", 640}, Case{"641.5", 642},
                        Case{"-2.5", -2}, Case{"  12", 12}, Case{"+7", 7}, Case{"1e3", 1000}, Case{"2D2", 200},
                        Case{".75", 1}, Case{"639.51", 640}, Case{"40000", 40000}, Case{"2147483647", 2147483647}}) {
    gAlbumState.ImageWidth = 99;
    ASSERT_TRUE(LoadOnly("a.jpg", CrLf({"ImageWidth=" + c.text, "ImageHeight=" + c.text}))) << c.text;
    EXPECT_EQ(gAlbumState.ImageWidth, c.want) << c.text;
    EXPECT_EQ(gAlbumState.ImageHeight, c.want) << c.text;
  }
}

TEST_F(InfoFileTest, LargeSizesNoLongerStopTheRead) {
  ASSERT_TRUE(LoadOnly("a.jpg", CrLf({"ImageWidth=40000", "ImageHeight=30000", "TITLE=after"})));
  EXPECT_EQ(gAlbumState.ImageWidth, 40000);
  EXPECT_EQ(gAlbumState.ImageHeight, 30000);
  EXPECT_EQ(gAlbumState.Title, "after");

  // Beyond 32 bits only that line is passed over.
  gAlbumState.ImageWidth = 321;
  ASSERT_TRUE(LoadOnly("b.jpg", CrLf({"ImageWidth=5000000000", "ImageHeight=1e999", "TITLE=still read"})));
  EXPECT_EQ(gAlbumState.ImageWidth, 321);
  EXPECT_EQ(gAlbumState.ImageHeight, 30000);
  EXPECT_EQ(gAlbumState.Title, "still read");
}

TEST_F(InfoFileTest, MissingSizeLinesKeepTheViewersSizes) {
  gAlbumState.ImageWidth = 800;
  gAlbumState.ImageHeight = 600;
  ASSERT_TRUE(LoadOnly("a.jpg", CrLf({"TITLE=x"})));
  EXPECT_EQ(gAlbumState.ImageWidth, 800);
  EXPECT_EQ(gAlbumState.ImageHeight, 600);
}

TEST_F(InfoFileTest, FileWithoutLinkNeverTakesThePreviousPhotosLocation) {
  WriteInfo("a.jpg", CrLf({"PhotoPath=/mnt/elsewhere/a.jpg", "TITLE=A"}));
  WriteInfo("b.jpg", CrLf({"TITLE=B"}));
  PhotoNames = {"", "a.jpg", "b.jpg"};
  ASSERT_TRUE(LoadImageInfo(1, nullptr));
  EXPECT_EQ(gAlbumState.PhotoPath, "/mnt/elsewhere/a.jpg");
  ASSERT_TRUE(LoadImageInfo(2, nullptr));
  EXPECT_EQ(gAlbumState.PhotoPath, "\\Photos\\b.jpg");
  ASSERT_TRUE(SaveImageInfo(2));
  EXPECT_EQ(ReadInfo("b.jpg").substr(0, 26), "PhotoPath=\\Photos\\b.jpg\r\nT");
}

TEST_F(InfoFileTest, VideoStateComesFromTheResolvedLink) {
  FakeHost host;
  ASSERT_TRUE(LoadOnly("clip.avi", CrLf({"PhotoPath=\\Photos\\clip.avi"}), &host));
  EXPECT_TRUE(gAlbumState.IsVideo);
  EXPECT_TRUE(host.video);
  ASSERT_TRUE(LoadOnly("x.jpg", CrLf({"PhotoPath=/media/cam/MOVIE.MOV"}), &host));
  EXPECT_TRUE(host.video);
  ASSERT_TRUE(LoadOnly("y.mov", CrLf({"PhotoPath=/media/cam/still.jpg"}), &host));
  EXPECT_FALSE(gAlbumState.IsVideo);
  EXPECT_FALSE(host.video);
  // Not in edit mode the boxes are neither read nor written.
  EXPECT_EQ(host.calls, (std::vector<std::string>{"video", "video", "video"}));
}

TEST_F(InfoFileTest, MissingFileClearsTheTextFieldsAndFails) {
  FakeHost host;
  host.video = true;
  gAlbumState.Title = "previous";
  gAlbumState.IsVideo = true;
  PhotoNames = {"", "gone.jpg"};
  EXPECT_FALSE(LoadImageInfo(1, &host));
  EXPECT_EQ(gAlbumState.Title, "");
  EXPECT_FALSE(gAlbumState.IsVideo);
  EXPECT_FALSE(host.video);
  EXPECT_FALSE(LoadImageInfo(5, &host));
  EXPECT_FALSE(LoadImageInfo(-1, &host));
  // The link resolver reports the missing file once; the reader itself logs nothing.
  EXPECT_EQ(LogEntries().size(), 1u);
}

TEST_F(InfoFileTest, EditModeSavesTheBoxesIntoThePreviousPhotoFirst) {
  const std::string bFile = CrLf({"PhotoPath=\\Photos\\b.jpg", "TITLE=B title", "PHOTOGRAPHER=Bea", "YEAR=2002",
                                  "PEOPLE=", "PLACE=Bay", "EVENT=", "KEYWORDS=k", "ImageWidth=20", "ImageHeight=10"});
  WriteInfo("a.jpg", CrLf({"PhotoPath=/mnt/a.jpg", "TITLE=A title", "ImageWidth=64", "ImageHeight=48"}));
  WriteInfo("b.jpg", bFile);
  PhotoNames = {"", "a.jpg", "b.jpg"};
  FakeHost host;
  ASSERT_TRUE(LoadImageInfo(1, &host));
  host.calls.clear();

  host.boxes = {"New A", "Al", "1999", "Ann", "Alps", "Ski", "snow"};
  gAlbumState.InfoEditMode = true;
  gAlbumState.CurrentImageIndex = 2;
  gAlbumState.PreviousImageIndex = 1;
  ASSERT_TRUE(LoadImageInfo(2, &host));

  EXPECT_EQ(ReadInfo("a.jpg"), CrLf({"PhotoPath=/mnt/a.jpg", "TITLE=New A", "PHOTOGRAPHER=Al", "YEAR=1999",
                                     "PEOPLE=Ann", "PLACE=Alps", "EVENT=Ski", "KEYWORDS=snow", "ImageWidth=64",
                                     "ImageHeight=48"}));
  EXPECT_EQ(ReadInfo("b.jpg"), bFile);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"read", "video", "write"}));
  EXPECT_EQ(host.boxes.Title, "B title");
  EXPECT_EQ(host.boxes.Photographer, "Bea");
  EXPECT_EQ(host.boxes.Year, "2002");
  EXPECT_EQ(host.boxes.People, "");
  EXPECT_EQ(host.boxes.Place, "Bay");
  EXPECT_EQ(host.boxes.Keywords, "k");
  EXPECT_EQ(gAlbumState.PhotoPath, "\\Photos\\b.jpg");
}

TEST_F(InfoFileTest, EditModeWithoutAHostStillReads) {
  WriteInfo("a.jpg", CrLf({"TITLE=A"}));
  PhotoNames = {"", "a.jpg"};
  gAlbumState.InfoEditMode = true;
  gAlbumState.PreviousImageIndex = 0;  // nothing was current before
  ASSERT_TRUE(LoadImageInfo(1, nullptr));
  EXPECT_EQ(gAlbumState.Title, "A");
  EXPECT_EQ(InfoFolderEntries(), std::vector<std::string>{"a.jpg.info"});
}

TEST_F(InfoFileTest, FailedWritesLeaveTheOldFileAndLogNothing) {
  EXPECT_FALSE(SaveImageInfo(0));  // the empty placeholder has no file
  EXPECT_FALSE(SaveImageInfo(3));
  EXPECT_TRUE(InfoFolderEntries().empty());

  // A folder no file can be written in.
  const std::string photo = std::string(240, 'p');
  const std::string old = CrLf({"PhotoPath=\\Photos\\" + photo, "TITLE=kept"});
  WriteInfo(photo, old);
  PhotoNames = {"", photo};
  gAlbumState.Title = "lost";
  {
    ReadOnlyFolder ro(Path("Photo_Info"));
    if (!ro.ok()) GTEST_SKIP() << "cannot make a read-only folder here";
    EXPECT_FALSE(SaveImageInfo(1));
    EXPECT_EQ(ReadInfo(photo), old);
    EXPECT_FALSE(CreateInfoFile(InfoFolder + photo + ".info", "\\Photos\\x"));
    EXPECT_EQ(ReadInfo(photo), old);
  }
  EXPECT_FALSE(CreateInfoFile(Path("nofolder/a.jpg.info"), "\\Photos\\a.jpg"));
  EXPECT_EQ(InfoFolderEntries(), std::vector<std::string>{photo + ".info"});
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(InfoFileTest, TheFirstPhotoPathLineWinsAsForTheLinkResolver) {
  WriteInfo("a.jpg", CrLf({"PhotoPath=\\Photos\\a.jpg", "TITLE=A", "photopath=/mnt/other/b.jpg", "TITLE=A2"}));
  PhotoNames = {"", "a.jpg"};
  ASSERT_TRUE(LoadImageInfo(1, nullptr));
  EXPECT_EQ(gAlbumState.PhotoPath, "\\Photos\\a.jpg");
  EXPECT_EQ(gAlbumState.Title, "A2");  // every other key: the last line wins
  ASSERT_TRUE(SaveImageInfo(1));
  EXPECT_EQ(GetPhotoLink("a.jpg.info"), Root() + "/Photos/a.jpg");
}

TEST_F(InfoFileTest, EditsLandInTheFileTheyWereReadFromWhateverGroupIsLoaded) {
  WriteInfo("a.jpg", CrLf({"PhotoPath=/mnt/a.jpg", "TITLE=A", "ImageWidth=64", "ImageHeight=48"}));
  WriteInfo("b.jpg", CrLf({"TITLE=B"}));
  const std::string other = CrLf({"PhotoPath=\\Photos\\x.jpg", "TITLE=X"});
  WriteInfo("x.jpg", other);
  FakeHost host;
  PhotoNames = {"", "a.jpg"};
  ASSERT_TRUE(LoadImageInfo(1, &host));
  EXPECT_EQ(host.EditTarget.PhotoName, "a.jpg");
  EXPECT_TRUE(host.EditTarget.Read);

  // Another group is loaded under the edit: its photo 1 is x.jpg, and nothing
  // points back at a.jpg but the name the box took.
  PhotoNames = {"", "x.jpg", "b.jpg"};
  gAlbumState.PreviousImageIndex = 1;
  gAlbumState.InfoEditMode = true;
  host.boxes = {"New A", "", "", "", "", "", ""};
  ASSERT_TRUE(LoadImageInfo(2, &host));
  EXPECT_EQ(ReadInfo("a.jpg"), CrLf({"PhotoPath=/mnt/a.jpg", "TITLE=New A", "PHOTOGRAPHER=", "YEAR=", "PEOPLE=",
                                     "PLACE=", "EVENT=", "KEYWORDS=", "ImageWidth=64", "ImageHeight=48"}));
  EXPECT_EQ(ReadInfo("x.jpg"), other);
  EXPECT_EQ(host.EditTarget.PhotoName, "b.jpg");
}

// Fields not read, or not read whole (a value longer than the reader holds), are
// never written. Only the value that ends up in a field counts: a cut value that a
// later whole line replaces, or a long line of another key, leaves the file
// editable, while of the links the first counts.
TEST_F(InfoFileTest, FieldsThatWereNotReadWholeAreNeverWritten) {
  const std::string over(qm::kMaxTextLine, 'o');
  const std::string cut = CrLf({"PhotoPath=\\Photos\\cut.jpg", "PEOPLE=" + over, "YEAR=2001"});
  WriteInfo("a.jpg", CrLf({"TITLE=A"}));
  WriteInfo("cut.jpg", cut);
  WriteInfo("link.jpg", CrLf({"PhotoPath=" + over, "PhotoPath=\\Photos\\link.jpg"}));
  WriteInfo("later.jpg", CrLf({"PEOPLE=" + over, "people=Bo", "NOTE=" + over, "ImageWidth=" + over}));
  FakeHost host;
  host.boxes = {"T", "", "", "", "", "", ""};
  PhotoNames = {"", "a.jpg", "gone.jpg", "cut.jpg", "link.jpg", "later.jpg"};
  const struct {
    int index;
    bool read, editable;
    std::string people, year;
  } photos[] = {{1, true, true, "", ""},
                {2, false, false, "", ""},
                {3, true, false, over.substr(0, qm::kMaxTextLine - std::string("PEOPLE=").size()), "2001"},
                {4, true, false, "", ""},
                {5, true, true, "Bo", ""}};
  for (const auto& p : photos) {
    SCOPED_TRACE(PhotoNames[std::size_t(p.index)]);
    EXPECT_EQ(LoadImageInfo(p.index, &host), p.read);
    EXPECT_EQ(host.EditTarget.PhotoName, PhotoNames[std::size_t(p.index)]);
    EXPECT_EQ(host.EditTarget.Read, p.read);
    EXPECT_EQ(Editable(host.EditTarget), p.editable);
    if (!p.editable) {
      EXPECT_FALSE(host.SaveEditsInProgress());
    }
    if (!p.read) continue;
    EXPECT_EQ(gAlbumState.People, p.people);
    EXPECT_EQ(gAlbumState.Year, p.year);
  }
  EXPECT_FALSE(SaveInfoEdits(InfoTarget{}, InfoFields{}));
  EXPECT_EQ(InfoFolderEntries(), (std::vector<std::string>{"a.jpg.info", "cut.jpg.info", "later.jpg.info",
                                                           "link.jpg.info"}));
  EXPECT_EQ(ReadInfo("a.jpg"), CrLf({"TITLE=A"}));
  EXPECT_EQ(ReadInfo("cut.jpg"), cut);
}

TEST(ShownValue, KeepsTheStartOfALongValueAndWholeCharacters) {
  EXPECT_EQ(ShownValue("Beach"), "Beach");
  const std::string exact(kShownValueLength, 'a');
  EXPECT_EQ(ShownValue(exact), exact);
  EXPECT_EQ(ShownValue(exact + "b"), exact + "\u2026");
  // A two-byte character across the bound is left out whole.
  const std::string accented = std::string(kShownValueLength - 1, 'a') + "\u00e9" + "z";
  EXPECT_EQ(ShownValue(accented), std::string(kShownValueLength - 1, 'a') + "\u2026");
}

}  // namespace
