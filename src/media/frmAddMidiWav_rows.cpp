// The dialog's rows: filling them for a mode, making changes pending with ">>"
// and "&Clear", and playing the chosen files.
#include <QLabel>
#include <QListWidget>

#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/group_names.h"
#include "core/sound_links.h"
#include "media/frmAddMidiWav.h"
#include "platform/files.h"
#include "platform/prompter.h"
#include "platform/shown_names.h"

namespace {
QString Q(const std::string& s) { return qm::ShownText(s); }
}  // namespace

std::string frmAddMidiWav::RowFile(int row) const {
  const QListWidgetItem* item = List2->item(row);
  return item ? item->data(Qt::UserRole).toByteArray().toStdString() : std::string();
}

bool frmAddMidiWav::RowPending(int row) const {
  const QListWidgetItem* item = List2->item(row);
  return item && item->isSelected();
}

void frmAddMidiWav::AddRow(const std::string& name, const std::string& file) {
  // A name that would leave the sound folder has no file and shows no sound.
  const bool linked = !file.empty() && qm::FileExists(file);
  List1->addItem(Q(soundlinks::RowText(MidiMode, linked, name)));
  auto* item = new QListWidgetItem(Q(file), List2);
  item->setData(Qt::UserRole, QByteArray::fromStdString(file));
  RowNames.push_back(name);
}

void frmAddMidiWav::Set4Midi() {
  try {
    List1->clear();
    List2->clear();
    RowNames.clear();
    MidiMode = true;
    for (const std::string& group : lstSlideGroups.Items()) AddRow(group, soundlinks::SoundFileOf(true, group));
    lbListContents->setText(QStringLiteral("Current Album Groups"));
    setWindowTitle(QStringLiteral("Import-Link Midi Song to Group"));
  } catch (const std::exception& e) {
    LogError("Set4Midi", e.what());
  }
}

void frmAddMidiWav::Set4Wav() {
  try {
    List1->clear();
    List2->clear();
    RowNames.clear();
    MidiMode = false;
    // Positions are counted in full width: a group of any size is listed.
    for (std::size_t i = 0; i < PhotoNames.size() && i < SelectedFlags.size(); ++i)
      if (SelectedFlags[i] == 1) AddRow(PhotoNames[i], soundlinks::SoundFileOf(false, PhotoNames[i]));
    lbListContents->setText(QStringLiteral("Selected Photos"));
    setWindowTitle(QStringLiteral("Import-Link Wav Clip to Photo"));
  } catch (const std::exception& e) {
    LogError("Set4Wav", e.what());
  }
}

int frmAddMidiWav::SelectedRow() const {
  const QList<QListWidgetItem*> picked = List1->selectedItems();
  return picked.isEmpty() ? -1 : List1->row(picked.front());
}

void frmAddMidiWav::SetRowPending(int row, const std::string& file, bool linked) {
  QListWidgetItem* item = List2->item(row);
  item->setText(Q(file));
  item->setData(Qt::UserRole, QByteArray::fromStdString(file));
  item->setSelected(true);
  QListWidgetItem* shown = List1->item(row);
  shown->setText(Q(soundlinks::Retag(shown->text().toStdString(), MidiMode, linked)));
}

bool frmAddMidiWav::AddSelectedFiles() {
  try {
    const std::string source = SelectedSource();
    if (source.empty()) {
      qm::MsgBox("Must select a source file.");
      return false;
    }
    const int row = SelectedRow();
    if (row < 0) {
      qm::MsgBox("Must select the destination.");
      return false;
    }
    SetRowPending(row, source, true);
    return true;
  } catch (const std::exception& e) {
    LogError("AddSelectedFiles", e.what());
    return false;
  }
}

void frmAddMidiWav::cmdAddFile_Click() { AddSelectedFiles(); }

void frmAddMidiWav::cmdClear_Click() {
  const int row = SelectedRow();
  if (row >= 0) SetRowPending(row, "", false);
}

void frmAddMidiWav::cmdPlayStop_Click(int Index) {
  setCursor(Qt::WaitCursor);
  try {
    const std::string source = SelectedSource();
    const int row = SelectedRow();
    const std::string rowFile = row >= 0 ? RowFile(row) : std::string();
    const auto& play = MidiMode ? Sounds.PlayMidi : Sounds.PlayWav;
    const auto& stop = MidiMode ? Sounds.StopMidi : Sounds.StopWav;
    switch (Index) {
      case 0: play(source); break;
      case 2: play(rowFile); break;
      case 1:
      case 3: stop(); break;
      default: break;
    }
  } catch (...) {
    // Playing is best effort: a failure only gives the pointer back.
  }
  unsetCursor();
}

void frmAddMidiWav::File1_DblClick() { cmdPlayStop_Click(0); }

void frmAddMidiWav::List1_DblClick() { cmdPlayStop_Click(2); }
