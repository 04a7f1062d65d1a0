// The two commands that open the sound link dialog, one per mode.
#include <QListWidget>

#include "browser/frmMain.h"
#include "media/frmAddMidiWav.h"

namespace {

void OpenSoundDialog(bool midi) {
  frmAddMidiWav& dialog = frmAddMidiWav::Get();
  if (midi)
    dialog.Set4Midi();
  else
    dialog.Set4Wav();
  dialog.File1Pattern = midi ? "*.mid" : "*.wav";
  try {
    dialog.File1_Refresh();
  } catch (const std::exception&) {
    // The folder could not be listed; Dir1_Change has logged it already.
  }
  dialog.exec();
  frmAddMidiWav::Unload();
}

}  // namespace

void frmMain::LinkMidi2Group() { OpenSoundDialog(true); }

void frmMain::LinkWav2Photos() { OpenSoundDialog(false); }
