// The sound link dialog on a real archive: its rows and tags, ">>" and "&Clear",
// its messages, the run of "&Make it so" with its report, stop and close, the
// remembered folder, and the main window's commands that open it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "browser/frmMain.h"
#include "browser/window_fixture.h"
#include "core/albumstate.h"
#include "core/group_names.h"
#include "core/modquillmont.h"
#include "media/frmAddMidiWav.h"
#include "platform/files.h"
#include "platform/settings_backend.h"
#include "support/fs_faults.h"
#include "support/yield_watch.h"

namespace {

using Lines = std::vector<std::string>;

// A mono 16-bit WAV holding a short tone.
std::string WavBytes(int samples = 800) {
  std::string s;
  auto put = [&s](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 0xff);
  };
  const std::uint32_t data = 2 * std::uint32_t(samples);
  s += "RIFF", put(36 + data, 4), s += "WAVEfmt ";
  put(16, 4), put(1, 2), put(1, 2), put(8000, 4), put(16000, 4), put(2, 2), put(16, 2);
  s += "data", put(data, 4);
  for (int i = 0; i < samples; ++i) put(std::uint16_t(std::int16_t(8000 * std::sin(i * 0.3))), 2);
  return s;
}

// A one-track MIDI file playing one note.
std::string MidiBytes(char note = 60) {
  const std::string track = std::string("\x00\x90", 2) + note + "\x60" + std::string("\x60\x80", 2) + note +
                            std::string("\x00\x00\xff\x2f\x00", 5);
  return std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14) + "MTrk" + std::string("\0\0\0", 3) +
         char(track.size()) + track;
}

struct SoundCall {
  std::string what;
  std::string path;
  bool operator==(const SoundCall&) const = default;
};

class SoundDialog : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    frmAddMidiWav::Sounds = {[this](const std::string& p) { calls.push_back({"PlayWav", p}); },
                             [this] { calls.push_back({"StopWav", ""}); },
                             [this](const std::string& p) { calls.push_back({"PlayMidi", p}); },
                             [this] { calls.push_back({"StopMidi", ""}); }};
    Write("sounds/one.wav", WavBytes());
    Write("sounds/two.wav", WavBytes(400));
    Write("sounds/song.mid", MidiBytes());
    Write("sounds/tune.mid", MidiBytes(64));
  }
  void TearDown() override {
    if (frmAddMidiWav::IsLoaded()) {
      frmAddMidiWav::Get().ImportBusy = false;
      frmAddMidiWav::Unload();
    }
    QApplication::processEvents();
    WindowTest::TearDown();
  }

  // The dialog loaded with the source folder on sounds/ and filled for a mode.
  frmAddMidiWav& Open(bool midi, const std::string& pattern) {
    frmAddMidiWav& d = frmAddMidiWav::Get();
    d.SetDir1Path(Path("sounds"));
    midi ? d.Set4Midi() : d.Set4Wav();
    d.File1Pattern = pattern;
    d.File1_Refresh();
    return d;
  }
  frmAddMidiWav& OpenMidi(const Lines& groups) {
    for (const std::string& g : groups) lstSlideGroups.AddItem(g);
    return Open(true, "*.mid");
  }
  // Photos of the loaded group; those marked with a "*" are selected.
  frmAddMidiWav& OpenWav(const Lines& photos) {
    for (const std::string& p : photos) {
      PhotoNames.push_back(p.back() == '*' ? p.substr(0, p.size() - 1) : p);
      SelectedFlags.push_back(p.back() == '*' ? 1 : 0);
    }
    return Open(false, "*.wav");
  }

  static Lines Rows(const QListWidget* list) {
    Lines out;
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
  }
  static std::vector<bool> Pending(const frmAddMidiWav& d) {
    std::vector<bool> out;
    for (int i = 0; i < d.List2->count(); ++i) out.push_back(d.RowPending(i));
    return out;
  }
  static void PickSource(frmAddMidiWav& d, const std::string& name) {
    const auto found = d.File1->findItems(QString::fromStdString(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name;
    found.front()->setSelected(true);
  }
  static void PickRow(frmAddMidiWav& d, int row) { d.List1->item(row)->setSelected(true); }
  static void Link(frmAddMidiWav& d, const std::string& source, int row) {
    PickSource(d, source);
    PickRow(d, row);
    d.cmdAddFile_Click();
  }
  static void Clear(frmAddMidiWav& d, int row) {
    PickRow(d, row);
    d.cmdClear_Click();
  }
  // Runs "&Make it so", answering a report if one comes; returns its text, "" for
  // none. An answer not needed waits for the next prompt.
  std::string Run(frmAddMidiWav& d) {
    const size_t before = prompter.Prompts().size();
    if (prompter.ScriptDone()) prompter.ExpectMsg(qm::MsgAnswer::OK);
    d.cmdImport_Click();
    return prompter.Prompts().size() > before ? prompter.Prompts().back().text : std::string();
  }
  static std::string Report(const Lines& lines) {
    std::string s = "Error(s) occurred with the following files during import process.\n\n";
    for (const std::string& l : lines) s += l + "\n";
    return s;
  }

  std::vector<SoundCall> calls;
};

TEST_F(SoundDialog, MidiRowsTagTheGroupsThatHaveASong) {
  Write("Photo_Midi/Holidays.mid", MidiBytes());
  frmAddMidiWav& d = OpenMidi({"  All Photos  ", "Garden", "Holidays"});
  EXPECT_EQ(Rows(d.List1), (Lines{"[    ] :   All Photos  ", "[    ] : Garden", "[midi] : Holidays"}));
  EXPECT_EQ(Rows(d.List2), (Lines{MidiFolder + "  All Photos  .mid", MidiFolder + "Garden.mid",
                                  MidiFolder + "Holidays.mid"}));
  EXPECT_EQ(Pending(d), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(d.lbListContents->text(), "Current Album Groups");
  EXPECT_EQ(d.windowTitle(), "Import-Link Midi Song to Group");
  EXPECT_TRUE(d.MidiMode);
  EXPECT_EQ(Rows(d.File1), (Lines{"song.mid", "tune.mid"}));
}

TEST_F(SoundDialog, WavRowsListOnlyTheSelectedPhotosPastSixteenBitPositions) {
  Write("Photo_Audio/a.jpg.wav", WavBytes());
  for (int i = 1; i <= 40000; ++i) {
    PhotoNames.push_back("p" + std::to_string(i) + ".jpg");
    SelectedFlags.push_back(i == 40000 ? 1 : 0);
  }
  frmAddMidiWav& d = OpenWav({"a.jpg*", "b.jpg", "c.jpg*"});
  EXPECT_EQ(Rows(d.List1), (Lines{"[   ] : p40000.jpg", "[wav] : a.jpg", "[   ] : c.jpg"}));
  EXPECT_EQ(Rows(d.List2)[1], AudioFolder + "a.jpg.wav");
  EXPECT_EQ(d.lbListContents->text(), "Selected Photos");
  EXPECT_EQ(d.windowTitle(), "Import-Link Wav Clip to Photo");
  EXPECT_FALSE(d.MidiMode);
}

TEST_F(SoundDialog, AddAndClearRetagTheRowAndMakeTheChangePending) {
  Write("Photo_Audio/a.jpg.wav", WavBytes());
  frmAddMidiWav& d = OpenWav({"a.jpg*", "b.jpg*"});
  Link(d, "two.wav", 1);
  Clear(d, 0);
  EXPECT_EQ(Rows(d.List1), (Lines{"[   ] : a.jpg", "[wav] : b.jpg"}));
  EXPECT_EQ(Rows(d.List2), (Lines{"", Path("sounds/two.wav")}));
  EXPECT_EQ(Pending(d), (std::vector<bool>{true, true}));

  OpenMidi({"Holidays"});
  Link(d, "song.mid", 0);
  EXPECT_EQ(Rows(d.List1), (Lines{"[midi] : Holidays"}));
  Clear(d, 0);
  EXPECT_EQ(Rows(d.List1), (Lines{"[    ] : Holidays"}));
  EXPECT_EQ(Pending(d), (std::vector<bool>{true}));
}

TEST_F(SoundDialog, AddWithoutASourceOrARowSaysWhatIsMissingAndChangesNothing) {
  frmAddMidiWav& d = OpenWav({"a.jpg*"});
  for (bool rowPicked : {false, true}) {
    if (rowPicked) PickRow(d, 0);
    prompter.ExpectMsg(qm::MsgAnswer::OK);
    d.cmdAddFile_Click();
    EXPECT_EQ(prompter.Prompts().back().text, "Must select a source file.");
  }
  d.List1->clearSelection();
  PickSource(d, "one.wav");
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  d.cmdAddFile_Click();
  EXPECT_EQ(prompter.Prompts().back().text, "Must select the destination.");
  EXPECT_EQ(prompter.Prompts().back().buttons, qm::MsgButtons::OK);
  EXPECT_EQ(Rows(d.List1), (Lines{"[   ] : a.jpg"}));
  EXPECT_EQ(Pending(d), (std::vector<bool>{false}));
  d.cmdClear_Click();  // no row picked: nothing happens
  EXPECT_EQ(Pending(d), (std::vector<bool>{false}));
}

TEST_F(SoundDialog, PlayAndStopGoToTheModesPlayerWithTheChosenFile) {
  Write("Photo_Audio/a.jpg.wav", WavBytes());
  frmAddMidiWav& d = OpenWav({"a.jpg*"});
  d.cmdPlayStop_Click(0);  // nothing picked yet
  PickRow(d, 0);
  d.List1_DblClick();
  PickSource(d, "one.wav");
  d.File1_DblClick();
  d.cmdAddFile_Click();
  d.cmdPlayStop_Click(2);
  d.cmdClear_Click();
  d.cmdPlayStop_Click(2);
  d.cmdPlayStop_Click(1);
  d.cmdPlayStop_Click(3);
  const std::string one = Path("sounds/one.wav");
  EXPECT_EQ(calls, (std::vector<SoundCall>{{"PlayWav", ""}, {"PlayWav", AudioFolder + "a.jpg.wav"},
                                           {"PlayWav", one}, {"PlayWav", one}, {"PlayWav", ""},
                                           {"StopWav", ""}, {"StopWav", ""}}));

  calls.clear();
  lstSlideGroups.AddItem("Holidays");
  d.Set4Midi();
  PickRow(d, 0);
  for (int i : {0, 1, 2, 3}) d.cmdPlayStop_Click(i);
  EXPECT_EQ(calls, (std::vector<SoundCall>{{"PlayMidi", one}, {"StopMidi", ""},
                                           {"PlayMidi", MidiFolder + "Holidays.mid"}, {"StopMidi", ""}}));
  EXPECT_EQ(d.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(SoundDialog, ALinkIsCopiedSilentlyAndReportedAsExistingTheSecondTime) {
  frmAddMidiWav& d = OpenWav({"a.jpg*"});
  Link(d, "one.wav", 0);
  EXPECT_EQ(Run(d), "");
  EXPECT_EQ(Read("Photo_Audio/a.jpg.wav"), WavBytes());
  EXPECT_EQ(Run(d), Report({"[wav] : a.jpg    Error=File already exists"}));
  EXPECT_EQ(Read("Photo_Audio/a.jpg.wav"), WavBytes());
  EXPECT_EQ(d.lbProgress->text(), "Done");
  EXPECT_EQ(d.cmdImport->text(), "&Make it so");
  EXPECT_FALSE(d.ImportBusy);
}

TEST_F(SoundDialog, OverwriteReplacesAndAFailedCopyKeepsTheOldSound) {
  Write("Photo_Midi/Holidays.mid", MidiBytes());
  frmAddMidiWav& d = OpenMidi({"Holidays"});
  d.chkOptions[0]->setChecked(true);
  Link(d, "tune.mid", 0);
  EXPECT_EQ(Run(d), "");
  EXPECT_EQ(Read("Photo_Midi/Holidays.mid"), MidiBytes(64));

  Write("sounds/big.mid", std::string(1 << 20, 'x'));
  d.File1_Refresh();
  Link(d, "big.mid", 0);
  {
    FileSizeLimit limit(64 * 1024);
    ASSERT_TRUE(limit.ok());
    EXPECT_NE(Run(d), "");
  }
  EXPECT_EQ(Read("Photo_Midi/Holidays.mid"), MidiBytes(64));
  EXPECT_EQ(AllEntries(MidiFolder).size(), 1u);
}

TEST_F(SoundDialog, ARemovalDeletesItsSoundAndTheRunGoesOnWithTheNextRows) {
  Write("Photo_Audio/a.jpg.wav", WavBytes());
  Write("Photo_Audio/c.jpg.wav", WavBytes());
  frmAddMidiWav& d = OpenWav({"a.jpg*", "b.jpg*", "c.jpg*", "d.jpg*"});
  Clear(d, 0);
  Link(d, "one.wav", 1);
  Link(d, "two.wav", 2);  // c.jpg has a clip and overwrite is off
  Link(d, "one.wav", 3);
  EXPECT_EQ(Run(d), Report({"[wav] : c.jpg    Error=File already exists"}));
  EXPECT_FALSE(Exists("Photo_Audio/a.jpg.wav"));
  EXPECT_EQ(Read("Photo_Audio/b.jpg.wav"), WavBytes());
  EXPECT_EQ(Read("Photo_Audio/d.jpg.wav"), WavBytes());
}

TEST_F(SoundDialog, EveryFailureIsReportedAfterADeletionAndTheRunGoesOn) {
  Write("Photo_Midi/A.mid", MidiBytes());
  frmAddMidiWav& d = OpenMidi({"A", "B", "C"});
  d.chkOptions[0]->setChecked(true);
  Clear(d, 0);
  Link(d, "song.mid", 1);
  Link(d, "tune.mid", 2);
  qm::DeleteFile(Path("sounds/song.mid"));  // the chosen source went away
  EXPECT_EQ(Run(d), Report({"[midi] : B    Error=File not found"}));
  EXPECT_FALSE(Exists("Photo_Midi/A.mid"));
  EXPECT_EQ(Read("Photo_Midi/C.mid"), MidiBytes(64));

  Write("Photo_Midi/A.mid", MidiBytes());
  ReadOnlyFolder locked(MidiFolder);
  if (!locked.ok()) GTEST_SKIP() << "the MIDI folder could not be made read-only";
  EXPECT_EQ(Run(d), Report({"[    ] : A    Error=Permission denied", "[midi] : B    Error=Permission denied",
                            "[midi] : C    Error=Permission denied"}));
  EXPECT_TRUE(Exists("Photo_Midi/A.mid"));
}

TEST_F(SoundDialog, NamesThatWouldLeaveTheSoundFolderAreRefused) {
  Write("Photos/x.wav", "photo folder");
  frmAddMidiWav& d = OpenWav({"../Photos/x*", "..*", "ok.jpg*"});
  EXPECT_EQ(Rows(d.List1), (Lines{"[   ] : ../Photos/x", "[   ] : ..", "[   ] : ok.jpg"}));
  EXPECT_EQ(Rows(d.List2), (Lines{"", "", AudioFolder + "ok.jpg.wav"}));
  d.chkOptions[0]->setChecked(true);
  for (int row : {0, 1, 2}) Link(d, "one.wav", row);
  EXPECT_EQ(Run(d), Report({"[wav] : ../Photos/x    Error=Bad file name or number",
                            "[wav] : ..    Error=Bad file name or number"}));
  EXPECT_EQ(Read("Photos/x.wav"), "photo folder");
  EXPECT_EQ(AllEntries(AudioFolder), (Lines{"ok.jpg.wav"}));
}

TEST_F(SoundDialog, TheBarEndsThirtyPixelsPastItsBoxAndAnEmptyListJustEnds) {
  // A prompter that notes the bar's width while the report is up.
  struct BarWatch : qm::ScriptedPrompter {
    int width = -1;
    qm::MsgAnswer MsgBox(const std::string& t, qm::MsgButtons b, const std::string& ti, qm::MsgIcon i) override {
      width = frmAddMidiWav::Get().shpProgress->width();
      return qm::ScriptedPrompter::MsgBox(t, b, ti, i);
    }
  } watch;
  frmAddMidiWav& d = OpenWav({"a.jpg*", "b.jpg*"});
  Write("Photo_Audio/b.jpg.wav", "old");
  Link(d, "one.wav", 1);
  watch.ExpectMsg(qm::MsgAnswer::OK);
  d.cmdImport_Click();
  EXPECT_EQ(watch.width, d.pctProgress->contentsRect().width() + 30);
  EXPECT_EQ(d.shpProgress->width(), 0);

  SelectedFlags.assign(SelectedFlags.size(), 0);
  d.Set4Wav();
  EXPECT_EQ(d.List1->count(), 0);
  d.cmdImport_Click();
  EXPECT_EQ(d.lbProgress->text(), "Done");
  EXPECT_EQ(watch.Prompts().size(), 1u);
}

TEST_F(SoundDialog, ASecondClickStopsTheRunAfterTheNextPendingRowAndTheReportStillShows) {
  Write("Photo_Audio/a.jpg.wav", "old");
  frmAddMidiWav& d = OpenWav({"a.jpg*", "b.jpg*", "c.jpg*", "d.jpg*"});
  for (int row : {0, 2, 3}) Link(d, "one.wav", row);
  bool clicked = false;
  AtEveryYield click([&] {
    if (d.ImportBusy && !clicked) {
      clicked = true;
      EXPECT_EQ(d.cmdImport->text(), "Cancel");
      d.cmdImport_Click();
    }
  });
  EXPECT_EQ(Run(d), Report({"[wav] : a.jpg    Error=File already exists"}));
  EXPECT_TRUE(Exists("Photo_Audio/c.jpg.wav"));
  EXPECT_FALSE(Exists("Photo_Audio/d.jpg.wav"));
  EXPECT_EQ(d.cmdImport->text(), "&Make it so");
}

TEST_F(SoundDialog, ClosingDuringARunStopsAfterTheRowInHandAndThenCloses) {
  for (bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "escape" : "close box");
    ResetBrowsingState();
    for (const char* p : {"a.jpg.wav", "b.jpg.wav", "c.jpg.wav"}) std::remove((AudioFolder + p).c_str());
    frmAddMidiWav& d = OpenWav({"a.jpg*", "b.jpg*", "c.jpg*"});
    for (int row : {0, 1, 2}) Link(d, "one.wav", row);
    d.show();
    int closes = 0;
    AtEveryYield closer([&] {
      if (frmAddMidiWav::IsLoaded() && d.ImportBusy && closes++ == 0) escape ? d.reject() : (void)d.close();
    });
    d.cmdImport_Click();
    QApplication::processEvents();
    EXPECT_TRUE(Exists("Photo_Audio/a.jpg.wav"));
    EXPECT_FALSE(Exists("Photo_Audio/b.jpg.wav"));
    EXPECT_FALSE(frmAddMidiWav::IsLoaded());
  }
}

TEST_F(SoundDialog, EveryFolderChangeIsRememberedAndAMissingOneFallsBackToTheProgramFolder) {
  auto last = [] { return gSettings.GetDravenholtSetting("Quillmont", "Sound", "LastPath", "?"); };
  Write("elsewhere/x.wav", "x");
  gSettings.SetDravenholtSetting("Quillmont", "Sound", "LastPath", Path("elsewhere"));
  frmAddMidiWav& d = frmAddMidiWav::Get();
  EXPECT_EQ(d.Dir1Path, Path("elsewhere"));
  EXPECT_EQ(Rows(d.File1), (Lines{"x.wav"}));

  d.Dir1->setCurrentIndex(d.Dir1Model->IndexOf(Path("sounds")));
  EXPECT_EQ(last(), Path("sounds"));
  EXPECT_EQ(d.File1Path, Path("sounds"));
  d.Drive1->setCurrentIndex(0);
  d.Drive1_Change();
  EXPECT_EQ(last(), "/");

  d.Drive1->addItem("/no/such/drive", "/no/such/drive");
  d.Drive1->setCurrentIndex(d.Drive1->count() - 1);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  d.Drive1_Change();
  EXPECT_EQ(prompter.Prompts().back().text, "Error: Device unavailable");
  EXPECT_EQ(d.Dir1Path, "/");
  EXPECT_EQ(d.Drive1->currentText(), "/");
  frmAddMidiWav::Unload();
  QApplication::processEvents();

  gSettings.SetDravenholtSetting("Quillmont", "Sound", "LastPath", Path("gone"));
  EXPECT_EQ(frmAddMidiWav::Get().Dir1Path, Root());
  EXPECT_TRUE(LogHas("Form_Load"));
  EXPECT_EQ(last(), Root());
}

TEST_F(SoundDialog, TheMenuCommandsOpenTheDialogInTheirMode) {
  AddPhoto("a.jpg");
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"a.jpg"}));
  frmMain& f = frmMain::Get();
  f.imgThumbnail_MouseDown(0, 1, 0, 0, 0);
  struct Seen {
    std::string title, pattern;
    Lines rows;
  };
  auto opened = [&](QAction* item) {
    Seen seen;
    QTimer::singleShot(50, [&] {
      if (!frmAddMidiWav::IsLoaded()) return;
      frmAddMidiWav& d = frmAddMidiWav::Get();
      seen = {d.windowTitle().toStdString(), d.File1Pattern, Rows(d.List1)};
      d.close();
    });
    EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
    item->trigger();
    EXPECT_FALSE(frmAddMidiWav::IsLoaded());
    return seen;
  };
  for (QAction* item : {f.mnuFileMidi, f.mnuGroupMidi}) {
    const Seen s = opened(item);
    EXPECT_EQ(s.title, "Import-Link Midi Song to Group");
    EXPECT_EQ(s.pattern, "*.mid");
    EXPECT_EQ(s.rows, (Lines{"[    ] :   All Photos  "}));
  }
  const Seen s = opened(f.mnuEditWaveLink);
  EXPECT_EQ(s.title, "Import-Link Wav Clip to Photo");
  EXPECT_EQ(s.pattern, "*.wav");
  EXPECT_EQ(s.rows, (Lines{"[   ] : a.jpg"}));
}

}  // namespace
