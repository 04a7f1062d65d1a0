#include "browser/frmMain.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <exception>

#include "archive/modUtils.h"
#include "browser/frmFirstTime.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/groupfiles.h"
#include "core/modquillmont.h"
#include "platform/prompter.h"
#include "platform/window_layout.h"

frmMain::frmMain() {
  setObjectName("frmMain");
  setWindowTitle(QString::fromStdString(kAppName));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  BuildWindow();
  BuildStrip();
  BuildGrid();
  BuildSelection();
  BuildViewer();
  BuildNavigation();
  BuildVideo();
  BuildInfoBox();
  BuildMenus();
}

std::string frmMain::LoadedGroupFile() const { return LoadedListFile(); }

void frmMain::Form_Load() {
  try {
    const bool loaded = LoadGroupNames();
    if (loaded && lstSlideGroups.ListCount() > 0) {
      LoadSlideGroup(AlbumListFile[0]);
      pctAlbumList_MouseDown(0, 1, 0, 0, 0);
    } else if (!loaded) {
      qm::MsgBox(
          "No album groups have been defined. Use next screen to search for photos (Ex. use a \"*\" in the year field "
          "to find all photos.",
          qm::MsgButtons::OK, kAppName);
      cmdCreateAlbumGroup_Click();
    }
    framInfo->move(framInfo->x(), pctWindow->height() - 15);
    adjustSize();
    qm::CentreWindow(*this);
    picVideoWindow->move(pctWindow->width() + 20, picVideoWindow->y());
  } catch (const std::exception& e) {
    LogError("Form_Load", e.what());
  }
}

// A stored FirstTime that is no truth value reads as False: the notice is a
// courtesy, and showing it at every start would be worse than never. The window
// is activated again after every modal window, so the value is logged once.
void frmMain::Form_Activate() {
  bool firstTime = false;
  const std::string stored = gSettings.GetDravenholtSetting(kAppName, "Options", "FirstTime", "True");
  try {
    firstTime = ToTruthValue(stored);
  } catch (const qm::RuntimeError& e) {
    if (!FirstTimeLogged) LogError("Form_Activate", e);
    FirstTimeLogged = true;
  }
  if (firstTime) {
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
    frmFirstTime::Get().exec();
    frmFirstTime::Unload();
  }
}

// Edits in progress are saved as leaving the photo saves them; a failed save is
// shown before the window goes.
void frmMain::Form_Unload(bool&) {
  try {
    if (gAlbumState.InfoEditMode) {
      SaveEdits();
      gAlbumState.InfoEditMode = false;
    }
    tmrInfoBox->stop();
    StopWav();
    StopMidi();
    UnloadOtherForms(FormName);
  } catch (const std::exception& e) {
    LogError("Form_Unload", e.what());
  }
}

void frmMain::Form_MouseDown(int Button, int, float, float) {
  // The Help menu is locked with the others while the information box is edited.
  if (Button == 2 && mnuHelp->menuAction()->isEnabled()) mnuHelp->popup(QCursor::pos());
}

void frmMain::Form_MouseMove(int, int, float, float) {}

bool frmMain::event(QEvent* e) {
  // Activation handlers that open modal windows must not run inside the
  // activation event itself.
  if (e->type() == QEvent::WindowActivate && !activatePending_) {
    activatePending_ = true;
    QTimer::singleShot(0, this, [this] {
      activatePending_ = false;
      Form_Activate();
    });
  }
  return QWidget::event(e);
}
