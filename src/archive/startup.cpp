#include "archive/modquillmont.h"

#include "platform/prompter.h"

int Main() {
  SetArchiveRoot();
  CreateArchiveFolders();
  ReadFolderSettings();
  if (SlideGroupsFolder.empty()) {
    qm::MsgBox("Critical Error-SubMain: SlideGroup path is blank!", qm::MsgButtons::OK, kAppName);
    return 1;
  }
  return 0;
}
