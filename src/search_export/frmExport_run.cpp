// The export run: the button that starts it and, reading "Cancel", stops it;
// the copies of each photo, its thumbnail and its information; the closing
// messages.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/csv_export.h"
#include "core/export_rules.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/files.h"
#include "platform/progress_track.h"
#include "platform/prompter.h"
#include "platform/runtime_error.h"
#include "platform/ui_runtime.h"
#include "search_export/frmExport.h"
#include "search_export/frmExport_lists.h"

namespace {

const char* const kCancelCaption = "Cancel";

// A failure that ends the export, with the file it stopped at.
struct ExportEnded {
  qm::RuntimeError error;
  std::string file;
};

// A write the destination refused, or one that found it full.
bool IsRefusedWrite(const qm::RuntimeError& e) {
  return e.Number() == qm::ErrPermission || e.Number() == qm::ErrDiskFull;
}

std::string EndMessage(const ExportEnded& end) {
  if (IsRefusedWrite(end.error))
    return "Error: " + end.error.Description() + "\nDisk may be full or write protected.";
  return "Error: " + end.error.Description() + "\nThe export stopped at \"" + end.file + "\".";
}

// A copy whose failure ends the export. The copy goes through a temporary file,
// so an earlier copy of the same name stays until the new one is whole.
void CopyOrEnd(const std::string& from, const std::string& to) {
  try {
    qm::CopyFileSafely(from, to, true);
  } catch (const qm::RuntimeError& e) {
    throw ExportEnded{e, qm::FileExists(from) ? to : from};
  }
}

void ListSome(std::string& text, const std::string& heading, const std::vector<std::string>& items) {
  if (items.empty()) return;
  text += "\n" + heading + "\n";
  const size_t shown = std::min(items.size(), size_t(frmExport::kListedFailures));
  for (size_t i = 0; i < shown; ++i) text += "    " + items[i] + "\n";
  if (items.size() > shown) text += "    and " + std::to_string(items.size() - shown) + " more\n";
}

}  // namespace

// The run's state is kept here, not read from the caption, so the idle caption
// can keep its access key.
void frmExport::cmdExport_Click() {
  if (exporting_) {
    RequestStop();
    return;
  }
  stopRequested_ = false;
  cmdExport->setText(kCancelCaption);
  qm::SetScreenPointer(qm::Pointer::Hourglass);
  SetProgress(0, 1);
  exporting_ = true;
  Outcome out;
  RunExport(out);
  exporting_ = false;
  qm::SetScreenPointer(qm::Pointer::Default);
  TellOutcome(out);
  cmdExport->setText(kIdleCaption);
  if (out.refusal.empty()) lbProgress->setText("Done");
  SetProgress(0, 1);
  if (closeWhenStopped_) close();
}

void frmExport::RequestStop() {
  stopRequested_ = true;
  cmdExport->setText(kIdleCaption);
}

void frmExport::RunExport(Outcome& out) {
  std::string dest = Dir1->Path();
  while (!dest.empty() && dest.back() == '/') dest.pop_back();
  Choices c;
  c.photo = chkExport[0]->isChecked();
  c.thumb = chkExport[1]->isChecked();
  c.info = chkExport[2]->isChecked();
  c.native = optExportInfo[0]->isChecked();
  c.csv = optExportInfo[1]->isChecked();
  const bool overwriteInfo = optExportInfo[2]->isChecked();
  const std::string csvPath = dest + "/" + kCsvFileName;

  std::vector<std::string> names, targets;
  for (int i = 0; i < List1->count(); ++i) {
    const std::string name = List1->item(i)->data(Qt::UserRole).toByteArray().toStdString();
    names.push_back(name);
    if (!IsExportableName(name)) continue;
    if (c.photo) targets.push_back(dest + "/" + name);
    if (c.thumb) targets.push_back(dest + "/tn_" + name);
    if (c.info && c.native) targets.push_back(dest + "/" + name + ".info");
  }
  if (c.info && c.csv) targets.push_back(csvPath);
  out.refusal = ExportRefusal(dest, targets);
  if (out.refusal.empty() && c.info && c.csv && !overwriteInfo) out.refusal = CsvAppendRefusal(csvPath);
  if (!out.refusal.empty()) return;
  // A killed export leaves its temporary copy behind; a running one renames its
  // own within moments.
  qm::RemoveStaleTempFiles(dest.empty() ? "/" : dest);

  // The earlier CSV file goes only when this export writes the CSV anew.
  if (c.info && c.csv && overwriteInfo) {
    try {
      qm::DeleteFile(csvPath);
    } catch (const qm::RuntimeError& e) {
      if (e.Number() != qm::ErrFileNotFound) {
        out.endError = EndMessage({e, csvPath});
        return;
      }
    }
  }
  qm::DoEvents();

  // Opened once, at the first record, for the whole run.
  CsvExportFile csv(csvPath);
  const int count = int(names.size());
  for (int i = 0; i < count; ++i) {
    lbProgress->setText("Exporting");
    try {
      ExportOne(dest, names[size_t(i)], c, csv, out);
    } catch (const ExportEnded& end) {
      out.endError = EndMessage(end);
      break;
    }
    SetProgress(i + 1, count);
    qm::DoEvents();
    if (stopRequested_) break;
  }
  // A write the close reports failed leaves the records in doubt.
  try {
    csv.Close();
  } catch (const qm::RuntimeError& e) {
    if (out.endError.empty()) out.endError = EndMessage({e, csvPath});
  }
}

void frmExport::ExportOne(const std::string& dest, const std::string& name, const Choices& c, CsvExportFile& csv,
                          Outcome& out) {
  if (!IsExportableName(name)) {
    out.namesRefused.push_back(name);
    return;
  }
  const std::string at = dest + "/";
  if (c.photo) {
    // The photo from wherever its information file places it, under its photo name.
    const std::string from = GetPhotoLink(name + ".info");
    try {
      if (from.empty()) throw qm::RuntimeError(qm::ErrFileNotFound);
      qm::CopyFileSafely(from, at + name, true);
    } catch (const qm::RuntimeError& e) {
      out.photosNotCopied.push_back(name + " (" + e.Description() + ")");
    }
  }
  if (c.thumb) CopyOrEnd(ThumbnailsFolder + name, at + "tn_" + name);
  if (c.info && c.native) CopyOrEnd(InfoFolder + name + ".info", at + name + ".info");
  if (c.info && c.csv) {
    std::string why;
    if (!csv.Append(name + ".info", &why))
      out.recordsNotWritten.push_back(name + ".info (" + why + ")");
  }
}

void frmExport::TellOutcome(const Outcome& out) {
  if (!out.refusal.empty()) qm::MsgBox(out.refusal, qm::MsgButtons::OK, "", qm::MsgIcon::Exclamation);
  if (!out.endError.empty()) qm::MsgBox(out.endError, qm::MsgButtons::OK);
  std::string list;
  ListSome(list, "These photos were not copied:", out.photosNotCopied);
  ListSome(list, "These photos have no record in " + kCsvFileName + ":", out.recordsNotWritten);
  ListSome(list, "These photos were not exported, their names would leave the destination folder:",
           out.namesRefused);
  if (!list.empty())
    qm::MsgBox("Not everything was exported." + list, qm::MsgButtons::OK, "", qm::MsgIcon::Exclamation);
}

void frmExport::SetProgress(int done, int total) {
  const QRect track = pctProgress->contentsRect();
  const int width = total > 0 ? int(qint64(track.width()) * done / total) : 0;
  qm::SetBarWidth(pctProgress, shpProgress, width);
  lbProgress->setGeometry(track);
}
