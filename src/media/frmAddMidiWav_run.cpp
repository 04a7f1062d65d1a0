// The run of "&Make it so": every pending row's file work, its progress, the
// stop request (the button's caption) and closing the window during a run.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "core/errorlog.h"
#include "core/sound_links.h"
#include "media/frmAddMidiWav.h"
#include "platform/progress_track.h"
#include "platform/prompter.h"
#include "platform/ui_runtime.h"

namespace {
const QString kMakeItSo = QStringLiteral("&Make it so");
const QString kCancel = QStringLiteral("Cancel");
}  // namespace

void frmAddMidiWav::SetBarWidth(int pixels) {
  qm::SetBarWidth(pctProgress, shpProgress, pixels);
}

void frmAddMidiWav::cmdImport_Click() {
  if (cmdImport->text() == kCancel) {
    cmdImport->setText(kMakeItSo);  // the running loop sees this and stops
    return;
  }
  cmdImport->setText(kCancel);
  if (ImportBusy) return;
  ImportBusy = true;
  setCursor(Qt::WaitCursor);
  SetBarWidth(0);

  const QPointer<frmAddMidiWav> alive(this);
  std::string report;
  try {
    const int rows = List1->count();
    for (int i = 0; i < rows; ++i) {
      lbProgress->setText(QStringLiteral("Import-Link Progress"));
      if (RowPending(i)) {
        // Every failure goes into the report and the run goes on with the next row.
        const std::string error = soundlinks::ApplyPendingLink(MidiMode, RowNames.at(size_t(i)), RowFile(i),
                                                               chkOptions[0]->isChecked());
        if (!error.empty()) report += soundlinks::ReportLine(List1->item(i)->text().toStdString(), error);
        if (cmdImport->text() == kMakeItSo) break;
      }
      SetBarWidth(int((i + 1) * (long long)(pctProgress->contentsRect().width() + 30) / rows));
      qm::DoEvents();
      if (!alive) return;
      if (CloseRequested) break;
    }
  } catch (const std::exception& e) {
    LogError("cmdImport_Click", e.what());
  }

  if (!report.empty()) qm::MsgBox(soundlinks::ReportMessage(report));
  if (!alive) return;
  cmdImport->setText(kMakeItSo);
  lbProgress->setText(QStringLiteral("Done"));
  SetBarWidth(0);
  ImportBusy = false;
  unsetCursor();
  if (CloseRequested) close();
}

// A close during a run waits for the row in hand; the run then closes the window.
void frmAddMidiWav::Form_Unload(bool& cancel) {
  if (!ImportBusy) return;
  CloseRequested = true;
  cancel = true;
}

void frmAddMidiWav::reject() {
  if (ImportBusy) {
    CloseRequested = true;
    return;
  }
  QDialog::reject();
}
