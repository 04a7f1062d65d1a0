// The search itself: every information file tested against the boxes, the count
// shown as it goes, the start button doubling as its stop button.
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <exception>

#include "core/errorlog.h"
#include "core/modquillmont.h"
#include "core/search_rules.h"
#include "platform/progress_track.h"
#include "platform/prompter.h"
#include "platform/runtime_error.h"
#include "platform/ui_runtime.h"
#include "search_export/frmSearch.h"

namespace {
constexpr qint64 kShowEveryMs = 40;
}  // namespace

SearchCriteria frmSearch::Criteria() const {
  auto text = [](const QLineEdit* t) { return t->text().toStdString(); };
  SearchCriteria c;
  c.Title = text(txtTitle);
  c.Year = text(txtYear);
  c.Photographer = text(txtPhotographer);
  c.Place = text(txtPlace);
  c.People = text(txtPeople);
  c.Event = text(txtEvent);
  c.Keywords = text(txtkeywords);
  c.Filename = text(txtFilename);
  return c;
}

void frmSearch::ShowProgress(std::size_t searched, std::size_t total, std::size_t found) {
  lbProgress->setText(QString::fromStdString(SearchProgressText(searched, total, found)));
  qm::SetBarWidth(pctProgress, shpProgress, SearchProgressWidth(searched, total, pctProgress->contentsRect().width()));
}

void frmSearch::StopSearch() {
  cmdSearch->setText(kSearchCaption);
  stopRequested_ = true;
}

void frmSearch::cmdSearch_Click() {
  // While a search runs the button reads "Cancel"; its click is the stop request.
  if (SearchBusy) {
    StopSearch();
    return;
  }
  SearchBusy = true;
  stopRequested_ = false;

  ShowProgress(0, 0, 0);
  std::vector<std::string> unreadable;
  try {
    File1.Path = InfoFolder;
    File1.Pattern = "*.info";
    File1.Refresh();
    SearchResults.assign(1, std::string());
    cmdSearch->setText("Cancel");

    const SearchCriteria criteria = Criteria();
    InfoFileMatcher matcher(criteria);
    const std::size_t count = std::size_t(File1.ListCount());
    std::size_t found = 0;
    QElapsedTimer sinceShown;
    sinceShown.start();
    for (std::size_t i = 0; i < count; ++i) {
      const std::string& name = File1.List(int(i));
      // A file that cannot be read is passed over, not taken for the end.
      try {
        if (InfoFileMatches(criteria, matcher, InfoFolder, name)) {
          SearchResults.push_back(name);
          ++found;
        }
      } catch (const qm::RuntimeError& e) {
        LogError("cmdSearch_Click", InfoFolder + name + ": " + e.Description());
        unreadable.push_back(name);
      }
      // Shown, and clicks taken, after the first file and then a few times a second:
      // redrawing after every file would take longer than the search itself.
      if (i == 0 || i + 1 == count || sinceShown.elapsed() >= kShowEveryMs) {
        ShowProgress(i + 1, count, found);
        qm::DoEvents();
        sinceShown.restart();
        if (stopRequested_) break;
      }
    }
  } catch (const std::exception& e) {
    // The folder could not be listed: no count would be true, so it is said.
    LogError("cmdSearch_Click", e.what());
    qm::MsgBox("The information folder could not be searched. " + std::string(e.what()), qm::MsgButtons::OK, "",
               qm::MsgIcon::Exclamation);
  }
  cmdSearch->setText(kSearchCaption);
  SearchBusy = false;

  if (!unreadable.empty())
    qm::MsgBox(std::to_string(unreadable.size()) + " information file(s) could not be read and were skipped.",
               qm::MsgButtons::OK, "", qm::MsgIcon::Exclamation);
  if (closeAfterSearch_) {
    closeAfterSearch_ = false;
    close();
  }
}
