#pragma once
// The search dialog ("Create Album Groups"): finds photos by the fields of their
// information files and appends the photos found to a group, new or existing.
#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "platform/file_list.h"
#include "platform/forms.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
struct SearchCriteria;

class frmSearch : public qm::Form<frmSearch, QDialog> {
public:
  static constexpr const char* FormName = "frmSearch";
  // The search button's idle caption, its access key included from the first
  // showing on; "Cancel" while a search runs.
  static constexpr const char* kSearchCaption = "&Search";

  frmSearch();

  // Information-file names (photo name + ".info", no folder), 1-based: entry 0 is
  // the empty string. A search or SetNewList replaces it.
  std::vector<std::string> SearchResults{std::string()};
  bool SearchBusy = false;

  // nList is 1-based as SearchResults is.
  void SetNewList(const std::vector<std::string>& nList);
  // Appends the photos of SearchResults to the group named in cmbGroupName; false
  // when nothing was appended (no name, a name that had to be cleaned, a failed
  // write; each is told to the user).
  bool cmdSave_Click();
  void cmdSearch_Click();
  void cmdImport_Click();

  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

  // The texts of the search boxes.
  SearchCriteria Criteria() const;

  QLabel* Label3 = nullptr;
  std::array<QLabel*, 8> Label1{};
  QLineEdit* txtYear = nullptr;
  QLineEdit* txtPlace = nullptr;
  QLineEdit* txtEvent = nullptr;
  QLineEdit* txtPeople = nullptr;
  QLineEdit* txtPhotographer = nullptr;
  QLineEdit* txtkeywords = nullptr;
  QLineEdit* txtTitle = nullptr;
  QLineEdit* txtFilename = nullptr;
  QLabel* Label4 = nullptr;
  QComboBox* cmbGroupName = nullptr;
  QPushButton* cmdSearch = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* cmdImport = nullptr;
  QFrame* pctProgress = nullptr;
  QFrame* shpProgress = nullptr;
  QLabel* lbProgress = nullptr;
  QFrame* Line1 = nullptr;
  qm::FileList File1;

protected:
  void showEvent(QShowEvent* e) override;
  // Escape while a search runs stops the search first, as closing does.
  void reject() override;

private:
  void ShowProgress(std::size_t searched, std::size_t total, std::size_t found);
  // Asks the running search to stop after the file in hand.
  void StopSearch();
  bool stopRequested_ = false;     // the running search is to stop
  bool closeAfterSearch_ = false;  // the window was closed while a search ran
};
