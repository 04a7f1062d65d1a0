// The names of linked sounds, the rows of the link dialog and the file work of
// one pending row, on a real archive.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/modquillmont.h"
#include "core/sound_links.h"
#include "support/temp_archive.h"

namespace {

using namespace soundlinks;

TEST(SoundLinks, NamesThatWouldLeaveTheFolderHaveNoSoundFile) {
  for (const char* bad : {"", ".", "..", "a/b", "../x", "/etc/x", "x/"}) {
    EXPECT_FALSE(IsSafeSoundName(bad)) << bad;
    EXPECT_EQ(SoundFileOf(true, bad), "") << bad;
    EXPECT_EQ(SoundFileOf(false, bad), "") << bad;
  }
  EXPECT_FALSE(IsSafeSoundName(std::string("a\0b", 3)));
  for (const char* good : {"beach.jpg", "...", ".hidden", "  All Photos  ", "a\\b", "Ünïcode"})
    EXPECT_TRUE(IsSafeSoundName(good)) << good;
}

TEST(SoundLinks, RowsCarryTheirTagAndKeepTheNameWhenRetagged) {
  struct Case {
    bool midi;
    bool linked;
    const char* row;
  } cases[] = {
      {true, true, "[midi] : Holidays"},
      {true, false, "[    ] : Holidays"},
      {false, true, "[wav] : Holidays"},
      {false, false, "[   ] : Holidays"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RowText(c.midi, c.linked, "Holidays"), c.row);
    EXPECT_EQ(RowName(c.row, c.midi), "Holidays") << c.row;
    // The name starts at character 10 for songs, 9 for clips.
    EXPECT_EQ(std::string(c.row).find("Holidays"), c.midi ? 9u : 8u);
    for (bool to : {true, false}) EXPECT_EQ(Retag(c.row, c.midi, to), RowText(c.midi, to, "Holidays"));
  }
  EXPECT_EQ(Retag("[    ] : Lake  Trip ", true, true), "[midi] : Lake  Trip ");
  EXPECT_EQ(RowName("[wav]", false), "");
}

TEST(SoundLinks, TheReportListsEachRowWithItsError) {
  EXPECT_EQ(ReportLine("[wav] : a.jpg", "File already exists"), "[wav] : a.jpg    Error=File already exists\n");
  EXPECT_EQ(ReportMessage("x\n"), "Error(s) occurred with the following files during import process.\n\nx\n");
}

class PendingLink : public TempArchive {
protected:
  std::string Clip(const std::string& photo) const { return "Photo_Audio/" + photo + ".wav"; }
  int Entries(const std::string& rel) const { return int(AllEntries(Path(rel)).size()); }
};

TEST_F(PendingLink, ACopyLinksANewSoundAndAnExistingOneIsKeptUnlessOverwriting) {
  Write("src/new.wav", "new");
  EXPECT_EQ(ApplyPendingLink(false, "a.jpg", Path("src/new.wav"), false), "");
  EXPECT_EQ(Read(Clip("a.jpg")), "new");

  Write(Clip("a.jpg"), "old");
  EXPECT_EQ(ApplyPendingLink(false, "a.jpg", Path("src/new.wav"), false), "File already exists");
  EXPECT_EQ(Read(Clip("a.jpg")), "old");
  EXPECT_EQ(ApplyPendingLink(false, "a.jpg", Path("src/new.wav"), true), "");
  EXPECT_EQ(Read(Clip("a.jpg")), "new");

  Write("src/song.mid", "MThd");
  EXPECT_EQ(ApplyPendingLink(true, "Lake Trip", Path("src/song.mid"), false), "");
  EXPECT_EQ(Read("Photo_Midi/Lake Trip.mid"), "MThd");
}

TEST_F(PendingLink, AFailedOverwriteKeepsTheOldSoundAndLeavesNoTemporaryFile) {
  Write(Clip("a.jpg"), "old");
  std::filesystem::create_directories(Path("src/folder.wav"));
  for (const std::string& source : {Path("src/missing.wav"), Path("src/folder.wav")}) {
    EXPECT_NE(ApplyPendingLink(false, "a.jpg", source, true), "") << source;
    EXPECT_EQ(Read(Clip("a.jpg")), "old") << source;
    EXPECT_EQ(Entries("Photo_Audio"), 1) << source;
  }
  EXPECT_EQ(ApplyPendingLink(false, "a.jpg", Path("src/missing.wav"), true), "File not found");
}

TEST_F(PendingLink, ARemovalDeletesTheSoundAndAMissingOneIsNoFailure) {
  Write("Photo_Midi/Holidays.mid", "song");
  EXPECT_EQ(ApplyPendingLink(true, "Holidays", "", false), "");
  EXPECT_FALSE(Exists("Photo_Midi/Holidays.mid"));
  EXPECT_EQ(ApplyPendingLink(true, "Holidays", "", true), "");
}

TEST_F(PendingLink, NamesThatWouldLeaveTheFolderAreRefusedAndNothingIsWrittenOrDeleted) {
  Write("src/new.wav", "new");
  Write("Photos/x.wav", "photo folder");
  Write("Photo_Audio/...wav", "keep");
  for (const char* name : {"../Photos/x", "..", ".", "a/b", ""}) {
    for (bool overwrite : {false, true})
      EXPECT_EQ(ApplyPendingLink(false, name, Path("src/new.wav"), overwrite), "Bad file name or number") << name;
    EXPECT_EQ(ApplyPendingLink(false, name, "", false), "Bad file name or number") << name;
  }
  EXPECT_EQ(Read("Photos/x.wav"), "photo folder");
  EXPECT_EQ(Read("Photo_Audio/...wav"), "keep");
  EXPECT_EQ(Entries("Photo_Audio"), 1);
}

}  // namespace
