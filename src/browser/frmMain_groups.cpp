// The group store as members of the main window, for the other windows that call
// them there, and the commands of parts of the program still to come.
#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/groupfiles.h"

bool frmMain::GroupExists(const std::string& GroupName) { return ::GroupExists(GroupName); }

bool frmMain::AddToGroup(const std::string& TargetGroup) { return ::AddToGroup(TargetGroup); }

bool frmMain::CheckGroupName(std::string& GroupName) { return ::CheckGroupName(GroupName); }

void frmMain::StopSlideShow() {
  tmrSlideShow->stop();
  SlideShowRunning = false;
}

void frmMain::cmdSlideshow_Click() {}

void frmMain::LinkMidi2Group() {}

void frmMain::LinkWav2Photos() {}

void frmMain::StopSounds() {}
