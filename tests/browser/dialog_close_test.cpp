// Every dialog of the main window is unloaded however it closes, so the next
// opening starts afresh: closed by a real Escape key press and by its close box
// (the system window's own close, as the window manager's close box sends it).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <filesystem>

#include "browser/frmGroups.h"
#include "browser/frmSSP.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "intake/frmImport.h"
#include "media/frmAddMidiWav.h"
#include "search_export/frmExport.h"
#include "search_export/frmSearch.h"
#include "window_fixture.h"

namespace {

enum class Closing { Escape, CloseBox };

void Close(QWidget* dialog, Closing how) {
  if (how == Closing::CloseBox) {
    ASSERT_NE(dialog->windowHandle(), nullptr);
    dialog->windowHandle()->close();
    return;
  }
  QWidget* focus = dialog->focusWidget();
  QTest::keyClick(focus ? focus : dialog, Qt::Key_Escape);
}

// Runs open, which shows a dialog modally; inside it, act runs on the dialog and
// then closes it the given way. True when the dialog came up.
bool WhileOpen(const std::function<void()>& open, const std::function<QWidget*()>& dialog,
               const std::function<void()>& act, Closing how) {
  bool came = false;
  QTimer::singleShot(0, [&] {
    QWidget* d = dialog();
    came = d && d->isVisible() && d->isModal();
    act();
    Close(d, how);
  });
  open();
  QApplication::processEvents();
  return came;
}

class DialogClose : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    for (const char* n : {"a.jpg", "b.jpg", "c.jpg"}) AddPhoto(n);
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"a.jpg", "b.jpg", "c.jpg"}));
    Write("Photo_SlideGroups/Beach.lst", CrLf({"a.jpg", "b.jpg", "c.jpg"}));
    std::filesystem::create_directories(Path("out"));
  }
  frmMain& Main() {
    frmMain& m = frmMain::Get();
    m.pctAlbumList_MouseDown(1, 1, 0, 0, 0);  // Beach
    return m;
  }
  // Selects the first n photos of the page.
  static void SelectFirst(frmMain& m, int n) {
    for (int slot = 0; slot < n; ++slot) m.imgThumbnail_MouseDown(slot, 1, slot ? 2 : 0, 0, 0);
  }
  static constexpr Closing kWays[] = {Closing::Escape, Closing::CloseBox};
};

TEST_F(DialogClose, ExportAfterAnEscapeExportsTheSelectionOfThisOpening) {
  for (Closing how : kWays) {
    SCOPED_TRACE(int(how));
    for (const char* n : {"a.jpg", "b.jpg", "c.jpg"}) std::filesystem::remove(Path("out/") + n);
    frmMain& m = Main();
    gSettings.SetDravenholtSetting(kAppName, "Export", "LastPath", Path("out"));
    SelectFirst(m, 3);
    int listed = 0;
    EXPECT_TRUE(WhileOpen([&] { m.mnuFileExport->trigger(); }, [] { return &frmExport::Get(); },
                          [&] { listed = frmExport::Get().List1->count(); }, how));
    EXPECT_EQ(listed, 3);
    EXPECT_FALSE(frmExport::IsLoaded());

    SelectFirst(m, 1);
    EXPECT_TRUE(WhileOpen([&] { m.mnuFileExport->trigger(); }, [] { return &frmExport::Get(); },
                          [&] {
                            listed = frmExport::Get().List1->count();
                            frmExport::Get().cmdExport->click();
                          },
                          Closing::Escape));
    EXPECT_EQ(listed, 1);
    EXPECT_TRUE(Exists("out/a.jpg"));
    EXPECT_FALSE(Exists("out/b.jpg") || Exists("out/c.jpg"));
    EXPECT_FALSE(frmExport::IsLoaded());
  }
}

TEST_F(DialogClose, TheSoundDialogOpensWithOverwriteUntickedAgain) {
  for (Closing how : kWays) {
    SCOPED_TRACE(int(how));
    frmMain& m = Main();
    bool ticked = true;
    auto dialog = [] { return &frmAddMidiWav::Get(); };
    EXPECT_TRUE(WhileOpen([&] { m.mnuFileMidi->trigger(); }, dialog,
                          [] { frmAddMidiWav::Get().chkOptions[0]->setChecked(true); }, how));
    EXPECT_FALSE(frmAddMidiWav::IsLoaded());
    EXPECT_TRUE(WhileOpen([&] { m.mnuFileMidi->trigger(); }, dialog,
                          [&] { ticked = frmAddMidiWav::Get().chkOptions[0]->isChecked(); }, how));
    EXPECT_FALSE(ticked);
    EXPECT_FALSE(frmAddMidiWav::IsLoaded());
  }
}

TEST_F(DialogClose, ImportAndSearchOpenWithoutTheRowsAndTextsOfTheLastOpening) {
  for (Closing how : kWays) {
    SCOPED_TRACE(int(how));
    frmMain& m = Main();
    auto import = [] { return &frmImport::Get(); };
    EXPECT_TRUE(WhileOpen([&] { m.mnuFileImport->trigger(); }, import,
                          [] { frmImport::Get().AddRow("x.jpg", "/somewhere"); }, how));
    EXPECT_FALSE(frmImport::IsLoaded());
    int rows = -1;
    EXPECT_TRUE(WhileOpen([&] { m.mnuFileImport->trigger(); }, import,
                          [&] { rows = frmImport::Get().List1->count(); }, how));
    EXPECT_EQ(rows, 0);

    // The search lists the groups made since it was last open.
    auto search = [] { return &frmSearch::Get(); };
    EXPECT_TRUE(WhileOpen([&] { m.mnuEditSearchAppend->trigger(); }, search,
                          [] { frmSearch::Get().txtYear->setText("1999"); }, how));
    EXPECT_FALSE(frmSearch::IsLoaded());
    Write("Photo_SlideGroups/Garden" + std::to_string(int(how)) + ".lst", "");
    m.LoadGroupNames();
    QString year = "?";
    int groups = 0;
    EXPECT_TRUE(WhileOpen([&] { m.mnuEditSearchAppend->trigger(); }, search,
                          [&] {
                            year = frmSearch::Get().txtYear->text();
                            groups = frmSearch::Get().cmbGroupName->count();
                          },
                          how));
    EXPECT_EQ(year, "");
    EXPECT_EQ(groups, int(lstSlideGroups.ListCount()));
    EXPECT_FALSE(frmSearch::IsLoaded());
  }
}

TEST_F(DialogClose, SlideShowSettingsAndTheGroupPickerStartAfresh) {
  for (Closing how : kWays) {
    SCOPED_TRACE(int(how));
    frmMain& m = Main();
    auto settings = [] { return &frmSSP::Get(); };
    EXPECT_TRUE(WhileOpen([&] { m.cmdSlideshow_Click(); }, settings,
                          [] {
                            frmSSP::Get().txtSlideShowInterval->setText("9");
                            frmSSP::Get().chkSlideshow[0]->setChecked(false);
                          },
                          how));
    EXPECT_FALSE(frmSSP::IsLoaded());
    EXPECT_FALSE(SlideShowRunning);
    QString interval;
    bool fullScreen = false;
    EXPECT_TRUE(WhileOpen([&] { m.cmdSlideshow_Click(); }, settings,
                          [&] {
                            interval = frmSSP::Get().txtSlideShowInterval->text();
                            fullScreen = frmSSP::Get().chkSlideshow[0]->isChecked();
                          },
                          how));
    EXPECT_EQ(interval, "5");
    EXPECT_TRUE(fullScreen);

    // The picker made for a move is gone, and one opened by the copy command is the copy's.
    SelectFirst(m, 1);
    auto picker = [] { return &frmGroups::Get(); };
    EXPECT_TRUE(WhileOpen([&] { m.mnuEditMove->trigger(); }, picker, [] {}, how));
    EXPECT_FALSE(frmGroups::IsLoaded());
    QString caption;
    int mode = 0;
    EXPECT_TRUE(WhileOpen([&] { m.mnuEditAdd->trigger(); }, picker,
                          [&] {
                            caption = frmGroups::Get().windowTitle();
                            mode = frmGroups::Get().NewGroupMode;
                          },
                          how));
    EXPECT_EQ(caption, "Copy photo(s) to ...");
    EXPECT_EQ(mode, 1);
    EXPECT_FALSE(frmGroups::IsLoaded());
    EXPECT_EQ(Read("Photo_SlideGroups/Beach.lst"), CrLf({"a.jpg", "b.jpg", "c.jpg"}));
  }
}

}  // namespace
