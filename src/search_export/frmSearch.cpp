#include "search_export/frmSearch.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <exception>

#include "browser/frmMain.h"
#include "core/errorlog.h"
#include "core/group_names.h"
#include "core/groupfiles.h"
#include "core/modquillmont.h"
#include "core/search_rules.h"
#include "intake/frmImport.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/progress_track.h"
#include "platform/prompter.h"
#include "platform/runtime_error.h"
#include "platform/shown_names.h"
#include "platform/ui_runtime.h"
#include "platform/window_layout.h"

namespace {

using qm::TwipsRect;

// The boxes' rows: two columns of four, label then box.
constexpr int kRowTop = 480;
constexpr int kRowStep = 375;
constexpr int kLeftLabel = 120, kLeftBox = 1320, kLeftBoxWidth = 2400;
constexpr int kRightLabel = 3960, kRightBox = 5160, kRightBoxWidth = 2640;
constexpr int kBoxHeight = 285;

QLineEdit* Box(QWidget* parent, const char* name, int column, int row) {
  auto* t = new QLineEdit(parent);
  t->setObjectName(name);
  t->setGeometry(column == 0 ? TwipsRect(kLeftBox, kRowTop + row * kRowStep, kLeftBoxWidth, kBoxHeight)
                             : TwipsRect(kRightBox, kRowTop + row * kRowStep, kRightBoxWidth, kBoxHeight));
  return t;
}

QLabel* BoxLabel(QWidget* parent, int index, const char* text, int column, int row, const QFont& font) {
  const int x = column == 0 ? kLeftLabel : kRightLabel;
  return qm::FixedTextLabel(parent, qPrintable(QString("Label1_%1").arg(index)), text, font,
                            TwipsRect(x, kRowTop + row * kRowStep + 30, 1140, 225));
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(geometry);
  b->setAutoDefault(false);
  return b;
}

// The progress text: grey over the white track, white over the bar, so it reads
// wherever the bar has reached.
class ProgressLabel : public QLabel {
public:
  ProgressLabel(const QString& text, QWidget* parent, const QWidget* bar) : QLabel(text, parent), bar_(bar) {}

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect filled(0, 0, bar_->isVisible() ? bar_->width() : 0, height());
    p.setClipRect(rect());
    p.setClipRegion(QRegion(rect()).subtracted(filled));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawText(rect(), int(alignment()), text());
    p.setClipRect(filled);
    p.setPen(Qt::white);
    p.drawText(rect(), int(alignment()), text());
  }

private:
  const QWidget* bar_;
};

void Tell(const std::string& text) { qm::MsgBox(text, qm::MsgButtons::OK, "", qm::MsgIcon::Exclamation); }

// The hourglass for as long as it lives, however the command ends.
class Hourglass {
public:
  Hourglass() { qm::SetScreenPointer(qm::Pointer::Hourglass); }
  ~Hourglass() { Restore(); }
  void Restore() { qm::SetScreenPointer(qm::Pointer::Default); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;
};

}  // namespace

frmSearch::frmSearch() {
  qm::SetUpFixedDialog(*this, "Create Album Groups", 7920, 4470);
  const QFont font = qm::UiFont("MS Sans Serif", 8);
  setFont(font);

  Label3 = qm::FixedTextLabel(this, "Label3", "Specify search items:", qm::UiFont("MS Sans Serif", 8, true),
                              TwipsRect(120, 120, 3000, 225));
  // Index, caption, column, row: the design's label numbers.
  Label1[0] = BoxLabel(this, 0, "Year:", 0, 0, font);
  txtYear = Box(this, "txtYear", 0, 0);
  txtYear->setMaxLength(4);
  Label1[1] = BoxLabel(this, 1, "Place:", 0, 1, font);
  txtPlace = Box(this, "txtPlace", 0, 1);
  Label1[2] = BoxLabel(this, 2, "Event:", 0, 2, font);
  txtEvent = Box(this, "txtEvent", 0, 2);
  Label1[4] = BoxLabel(this, 4, "People:", 0, 3, font);
  txtPeople = Box(this, "txtPeople", 0, 3);
  Label1[3] = BoxLabel(this, 3, "Photographer:", 1, 0, font);
  txtPhotographer = Box(this, "txtPhotographer", 1, 0);
  Label1[5] = BoxLabel(this, 5, "Keywords:", 1, 1, font);
  txtkeywords = Box(this, "txtkeywords", 1, 1);
  Label1[6] = BoxLabel(this, 6, "Title:", 1, 2, font);
  txtTitle = Box(this, "txtTitle", 1, 2);
  Label1[7] = BoxLabel(this, 7, "Filename:", 1, 3, font);
  txtFilename = Box(this, "txtFilename", 1, 3);

  Line1 = qm::FilledFrame(this, "Line1", QColor(0x80, 0x80, 0x80), TwipsRect(120, 2100, 7680, 15));

  Label4 = qm::FixedTextLabel(this, "Label4", "Group name:", font, TwipsRect(kLeftLabel, 2340, 1140, 225));
  cmbGroupName = new QComboBox(this);
  cmbGroupName->setObjectName("cmbGroupName");
  cmbGroupName->setEditable(true);
  // A typed name is appended to, never added to the list by the Enter key.
  cmbGroupName->setInsertPolicy(QComboBox::NoInsert);
  cmbGroupName->setGeometry(TwipsRect(kLeftBox, 2295, 6480, 315));

  const qm::ProgressTrack progress = qm::MakeProgressTrack(this, TwipsRect(1102, 2880, 5715, 375));
  pctProgress = progress.track;
  shpProgress = progress.bar;
  // The bar and the text keep inside the track's sunken edge.
  lbProgress = new ProgressLabel(QStringLiteral("Searched 0 (0%) -> Found 0"), pctProgress, shpProgress);
  lbProgress->setObjectName("lbProgress");
  lbProgress->setAlignment(Qt::AlignCenter);
  lbProgress->setGeometry(pctProgress->contentsRect());

  cmdSearch = Button(this, "cmdSearch", kSearchCaption, TwipsRect(120, 3600, 1680, 405));
  cmdSave = Button(this, "cmdSave", "&Append search results to group", TwipsRect(1920, 3600, 3720, 405));
  cmdImport = Button(this, "cmdImport", "&Import", TwipsRect(5760, 3600, 2040, 405));

  connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
}

void frmSearch::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  qm::CentreOnOpener(*this);
}

// The combo is filled only here: a group an append makes is listed from the next
// loading on.
void frmSearch::Form_Load() {
  try {
    cmbGroupName->clear();
    for (const std::string& g : lstSlideGroups.Items()) qm::AddBytesItem(cmbGroupName, g);
    cmbGroupName->setEditText(QString());
  } catch (const std::exception& e) {
    LogError("Form_Load", e.what());
  }
}

// Closing while a search runs stops it first; the window goes once it has.
void frmSearch::Form_Unload(bool& cancel) {
  if (!SearchBusy) return;
  StopSearch();
  closeAfterSearch_ = true;
  cancel = true;
}

void frmSearch::reject() {
  if (SearchBusy) {
    StopSearch();
    closeAfterSearch_ = true;
    return;
  }
  QDialog::reject();
}

void frmSearch::SetNewList(const std::vector<std::string>& nList) {
  SearchResults = nList;
  if (SearchResults.empty()) SearchResults.emplace_back();
}

bool frmSearch::cmdSave_Click() {
  Hourglass pointer;
  std::string name = qm::BytesOfText(cmbGroupName);
  if (name.empty()) {
    pointer.Restore();
    qm::MsgBox("Please create group name OR select from list to append to existing group.");
    return false;
  }
  // The name rule is for new names: a group that is there keeps the name of its
  // list file, dots and all.
  if (!GroupExists(name) && !CheckGroupName(name)) {
    cmbGroupName->setEditText(qm::ShownText(name));
    pointer.Restore();
    qm::MsgBox(
        "Your 'GroupName' contained illegal characters. These were replace with the underscore character. Press "
        "'Append' again to accept the changes and save the search results to new group name.");
    return false;
  }
  // A name that differs from a listed group only in case is that group.
  const std::string group = AppendTargetGroup(name, lstSlideGroups.Items());
  bool appended = false;
  std::string why;
  try {
    qm::AppendTextLines(SlideGroupsFolder + GroupFileOf(group), GroupLinesOf(SearchResults));
    appended = true;
  } catch (const qm::RuntimeError& e) {
    LogError("cmdSave_Click", e);
    why = e.Description();
  }
  if (frmMain::IsLoaded()) frmMain::Get().LoadGroupNames();
  pointer.Restore();
  if (!appended)
    Tell("The search results could not be appended to the group \"" + group + "\". " + why);
  return appended;
}

// Photos imported from here join the all-photos group only.
void frmSearch::cmdImport_Click() {
  if (frmMain::IsLoaded()) frmMain::Get().GroupClick = "";
  frmImport::ShowImport(true);
}
