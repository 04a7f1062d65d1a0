// The auto-scan: the shown folder and every folder below it are searched for the
// ticked types, and what is found joins the list of files selected for import.
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "core/import_rules.h"
#include "intake/ScanSystem.h"
#include "intake/frmImport.h"
#include "platform/prompter.h"
#include "platform/ui_runtime.h"

namespace {
// The count is drawn a few times a second at most: drawn more often, it would cost
// the scan more than it tells.
constexpr qint64 kCountEveryMs = 250;
}  // namespace

void frmImport::cmdAutoScan_Click() {
  // An import reads the lists: no scan adds to them meanwhile.
  if (running_ == Running::Import) return;
  if (running_ == Running::Scan) {
    cmdAutoScan->setText(kScanCaption);
    ScanSystem::StopScan = true;
    cmdAutoScan->unsetCursor();
    return;
  }

  cmdAutoScan->setText("&Cancel");
  ScanSystem::StopScan = false;
  SetRunning(Running::Scan);
  setCursor(Qt::BusyCursor);
  // The new caption shows, and a cancel can come, before the first folder is read.
  qm::DoEvents();

  ScanSystem::FoundRows found;
  found.before = std::size_t(List1->count());
  found.sizes = false;
  const std::string top = Dir1Path;
  bool noticeShown = false;
  for (const char* type : import_rules::kScanTypes) {
    // The pattern is read afresh for each type, as the boxes may change meanwhile.
    if (File1Pattern.find(type) == std::string::npos || found.Count() >= ScanSystem::kRowLimit) continue;
    std::string path = top;
    std::int32_t files = 0, folders = 0;
    ScanSystem::FindFiles(path, type, files, folders, found, ScanSystem::StopScan);
    lbCount->setText(QString::number(found.Count()));
    if (found.Count() >= ScanSystem::kRowLimit && !noticeShown) {
      noticeShown = true;
      qm::MsgBox(
          "Notice: File count for located media has been exceeded. Some of the specified folders may have not "
          "been completely searched.");
    }
  }

  List1->setEnabled(false);
  List2->setEnabled(false);
  SplitFoundRows(found);
  List1->setEnabled(true);
  List2->setEnabled(true);
  lbCount->setText(QString::number(List1->count()));

  cmdAutoScan->setText(kScanCaption);
  ScanSystem::StopScan = true;
  EndRun();
}

// Every found row is split, also after a cancel: a row without its folder could
// not be imported. The rows go into both lists by batches, one between two yields,
// so the shown list is laid out and drawn only at the yields, and the lists are
// parallel at each. The first row shows at once.
void frmImport::SplitFoundRows(const ScanSystem::FoundRows& found) {
  std::vector<std::string> names, folders;
  QElapsedTimer sinceCount;
  sinceCount.start();
  for (std::size_t k = 0; k < found.paths.size(); ++k) {
    auto [folder, name] = import_rules::SplitScannedPath(found.paths[k]);
    names.push_back(std::move(name));
    folders.push_back(std::move(folder));
    if (k != 0 && !ScanSystem::YieldDue()) continue;
    AddRows(names, folders);
    names.clear();
    folders.clear();
    if (k == 0 || sinceCount.elapsed() >= kCountEveryMs) {
      lbCount->setText(QString::number(found.before + k));
      sinceCount.restart();
    }
    ScanSystem::YieldNow();
  }
  AddRows(names, folders);
}
