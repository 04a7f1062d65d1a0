#include "app/startup.h"
#include "core/modquillmont.h"

#include "archive/archivecheck.h"
#include "archive/frmSplash.h"
#include "browser/frmMain.h"
#include "core/groupcleanup.h"
#include "core/readonly.h"
#include "platform/on_error.h"
#include "platform/prompter.h"
#include "platform/ui_runtime.h"

int Main() {
  // Every step goes on past a failure of the one before; the settings object is
  // the program-wide gSettings, ready before this runs.
  BypassAutoCheck = false;
  qm::SetScreenPointer(qm::Pointer::ArrowHourglass);
  qm::ResumeNext([] { SetArchiveRoot(); });
  qm::ResumeNext([] { CreateArchiveFolders(); });
  qm::ResumeNext([] { ReadFolderSettings(); });
  if (SlideGroupsFolder.empty()) {
    qm::MsgBox("Critical Error-SubMain: SlideGroup path is blank!", qm::MsgButtons::OK, kAppName);
    qm::SetScreenPointer(qm::Pointer::Default);
    return 1;
  }
  qm::ResumeNext([] { CheckDirPaths(); });
  qm::ResumeNext([] { RemoveLeftoverTempFiles(); });

  frmSplash::Get().show();
  qm::DoEvents();
  if (!BypassAutoCheck) qm::ResumeNext([] { CheckFolderContents(); });
  if (!BypassAutoCheck) qm::ResumeNext([] { RemoveMissingPhotosFromGroup(); });
  // The clean-up puts the pointer back; the main window's loading is still to come.
  qm::SetScreenPointer(qm::Pointer::ArrowHourglass);

  qm::DoEvents();
  // The main window is built only now, so it reads the groups as the check left them.
  qm::ResumeNext([] { frmMain::Get().show(); });
  frmSplash::Unload();
  qm::SetScreenPointer(qm::Pointer::Default);
  return -1;
}
