// The information box: the current photo's information at the bottom of the
// viewing area, its slide up and down, the three position settings and the edit
// mode that writes the photo's information file.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <exception>
#include <initializer_list>
#include <utility>
#include <vector>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/grid_rules.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/prompter.h"
#include "platform/ui_runtime.h"

namespace {

constexpr int kBoxWidth = 497;
constexpr int kBoxHeight = 149;
constexpr int kStrip = 15;  // the part of the box that shows when it is down
constexpr int kRowTop = 20;
constexpr int kRowHeight = 18;
constexpr int kValueLeft = 108;
constexpr int kYearLength = 4;

const char* const kGrey = "#c0c0c0";
const char* const kRed = "#ff0000";
const char* const kStartColour = "#0000ff";  // the design colour of the selected button

void SetBack(QPushButton* b, const char* colour) {
  const bool dark = std::string(colour) != kGrey;
  b->setStyleSheet(QString("QPushButton { background: %1; color: %2; border: 1px solid #1b222b; border-radius: 3px; }"
                           "QPushButton:disabled { color: #7a7a7a; }")
                       .arg(colour, dark ? "#ffffff" : "#1b222b"));
}

QLabel* InfoLabel(QWidget* parent, const QString& text, int x, int y, int w, bool bold) {
  auto* l = new QLabel(text, parent);
  l->setGeometry(x, y, w, kRowHeight);
  l->setFont(qm::UiFont("Tahoma", 8.25, bold));
  l->setTextFormat(Qt::PlainText);
  l->setStyleSheet("color: #1b222b; background: transparent;");
  l->setMouseTracking(true);
  return l;
}

QLineEdit* EditBox(QWidget* parent, const char* name, const QRect& where) {
  auto* t = new QLineEdit(parent);
  t->setObjectName(name);
  // Any value the reader holds whole fits (the box's own limit is 32767).
  t->setMaxLength(int(qm::kMaxTextLine));
  t->setGeometry(where);
  t->setFont(qm::UiFont("Tahoma", 8.25));
  t->setFrame(true);
  t->hide();
  return t;
}

// Tab and Shift+Tab in an edit box go to the next or previous visible edit box
// and wrap around, so no hidden or unrelated control takes a stop in between.
class TabRing : public QObject {
public:
  TabRing(QObject* parent, std::vector<QLineEdit*> boxes) : QObject(parent), boxes_(std::move(boxes)) {
    for (QLineEdit* b : boxes_) b->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(e);
    const bool back =
        key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
    if (key->key() != Qt::Key_Tab && !back) return false;
    const auto at = std::find(boxes_.begin(), boxes_.end(), watched);
    if (at == boxes_.end()) return false;
    const int n = int(boxes_.size());
    int i = int(at - boxes_.begin());
    for (int step = 0; step < n; ++step) {
      i = (i + (back ? n - 1 : 1)) % n;
      if (boxes_[std::size_t(i)]->isVisible()) {
        boxes_[std::size_t(i)]->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        break;
      }
    }
    return true;
  }

private:
  std::vector<QLineEdit*> boxes_;
};

}  // namespace

void frmMain::BuildInfoBox() {
  framInfo = new qm::EventLabel(pctWindow);
  framInfo->setObjectName("framInfo");
  framInfo->setGeometry((pctWindow->width() - kBoxWidth) / 2, pctWindow->height() - kStrip, kBoxWidth, kBoxHeight);
  framInfo->setAutoFillBackground(true);
  QPalette pal = framInfo->palette();
  pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  framInfo->setPalette(pal);
  connect(framInfo, &qm::EventLabel::mouseMove, this,
          [this](int b, int s, float x, float y) { framInfo_MouseMove(b, s, x, y); });

  // The labels pass mouse moves on to framInfo; only a label that tracks the mouse
  // receives them at all.
  lbPhotoInfo = new QLabel("Media Content Information", framInfo);
  lbPhotoInfo->setMouseTracking(true);
  lbPhotoInfo->setObjectName("lbPhotoInfo");
  lbPhotoInfo->setGeometry(0, 0, kBoxWidth, kStrip);
  lbPhotoInfo->setAlignment(Qt::AlignCenter);
  lbPhotoInfo->setFont(qm::UiFont("Tahoma", 8.25, true));
  lbPhotoInfo->setStyleSheet("color: #ffffff; background: #3a4a63;");

  // Rows in the order of the values; the captions are numbered differently.
  static const char* const kCaptions[] = {"Year:", "Place:", "Event:", "Photographer:", "People:", "Notes:", "Filename:"};
  static const int kCaptionOfRow[] = {0, 1, 2, 4, 3, 5, 6};
  for (int row = 0; row < 7; ++row) {
    const int y = kRowTop + row * kRowHeight;
    const int c = kCaptionOfRow[row];
    Label1[std::size_t(c)] = InfoLabel(framInfo, kCaptions[c], 2, y, kValueLeft - 8, true);
    Label1[std::size_t(c)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1[std::size_t(c)]->setObjectName(QString("Label1_%1").arg(c));
    lbInfo[std::size_t(row)] = InfoLabel(framInfo, QString(), kValueLeft, y, kBoxWidth - kValueLeft - 6, false);
    lbInfo[std::size_t(row)]->setObjectName(QString("lbInfo_%1").arg(row));
  }
  auto over = [this](int row) { return lbInfo[std::size_t(row)]->geometry(); };
  txtYear = EditBox(framInfo, "txtYear", over(0));
  txtPlace = EditBox(framInfo, "txtPlace", over(1));
  txtEvent = EditBox(framInfo, "txtEvent", over(2));
  txtPeople = EditBox(framInfo, "txtPeople", over(3));
  txtPhotographer = EditBox(framInfo, "txtPhotographer", over(4));
  txtkeywords = EditBox(framInfo, "txtkeywords", over(5));
  txtTitle = EditBox(client, "txtTitle", lbTitle->geometry());
  txtTitle->setAlignment(Qt::AlignCenter);
  // The boxes from top to bottom as they show: the box's rows, then the title below.
  new TabRing(this, {txtYear, txtPlace, txtEvent, txtPeople, txtPhotographer, txtkeywords, txtTitle});
  lbTitle->setTextFormat(Qt::PlainText);
  // Typing stops at four characters, but a longer stored year is never cut: the
  // limit is never below the length the text already has.
  txtYear->setMaxLength(kYearLength);
  connect(txtYear, &QLineEdit::textChanged, this,
          [this](const QString& t) { txtYear->setMaxLength(std::max(kYearLength, int(t.size()))); });

  static const char* const kTips[] = {"Info Box - Always Down", "Info Box - Normal", "Info Box - Always Up"};
  static const char* const kGlyphs[] = {"\u25BC", "\u25C6", "\u25B2"};
  for (int k = 0; k < 3; ++k) {
    auto* b = new QPushButton(QString::fromUtf8(kGlyphs[k]), client);
    b->setObjectName(QString("optInfoPosition_%1").arg(k));
    b->setGeometry(760, 48 + (2 - k) * 34, 28, 28);
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setToolTip(kTips[k]);
    b->setFocusPolicy(Qt::TabFocus);
    SetBack(b, k == 1 ? kStartColour : kGrey);
    connect(b, &QPushButton::clicked, this, [this, k] { optInfoPosition_Click(k); });
    optInfoPosition[std::size_t(k)] = b;
  }
  optInfoPosition[1]->setChecked(true);

  cmdEditPhotoInfo = new QPushButton(QString::fromUtf8("\u270E"), client);
  cmdEditPhotoInfo->setObjectName("cmdEditPhotoInfo");
  cmdEditPhotoInfo->setGeometry(760, 160, 28, 28);
  cmdEditPhotoInfo->setToolTip("Info Box - Click to start/stop editing");
  cmdEditPhotoInfo->setFocusPolicy(Qt::TabFocus);
  SetBack(cmdEditPhotoInfo, kGrey);
  connect(cmdEditPhotoInfo, &QPushButton::clicked, this, [this] { cmdEditPhotoInfo_Click(); });

  tmrInfoBox = new QTimer(this);
  tmrInfoBox->setObjectName("tmrInfoBox");
  tmrInfoBox->setInterval(4000);
  connect(tmrInfoBox, &QTimer::timeout, this, [this] { tmrInfoBox_Timer(); });
  InfoBoxTarget = InfoBoxDownTop();
}

int frmMain::InfoPosition() const {
  for (int k = 0; k < 3; ++k)
    if (optInfoPosition[std::size_t(k)] && optInfoPosition[std::size_t(k)]->isChecked()) return k;
  return 1;
}

int frmMain::InfoBoxUpTop() const { return pctWindow->height() - framInfo->height() - kStrip; }

int frmMain::InfoBoxDownTop() const { return pctWindow->height() - kStrip; }

// One pixel per pass of the message loop. A call that comes while the box slides
// only changes where it goes, so the box always ends where it was last sent.
void frmMain::ShowInfoBox(bool up) {
  InfoBoxTarget = up ? InfoBoxUpTop() : InfoBoxDownTop();
  if (InfoBoxBusy) return;
  InfoBoxBusy = true;
  try {
    int top = framInfo->y();
    framInfo->move(framInfo->x(), top);
    while (top != InfoBoxTarget) {
      top += InfoBoxTarget > top ? 1 : -1;
      framInfo->move(framInfo->x(), top);
      qm::DoEvents();
    }
  } catch (const std::exception& e) {
    LogError("ShowInfoBox", e.what());
  }
  InfoBoxBusy = false;
}

// Called after the current photo's information was read: the viewer has given
// the sizes of the picture on show, which a save writes from now on.
void frmMain::LoadInfoBox() {
  const AlbumState& s = gAlbumState;
  if (EditTarget.Read) {
    EditTarget.ImageWidth = s.ImageWidth;
    EditTarget.ImageHeight = s.ImageHeight;
  }
  ShowInfoLabels();
}

void frmMain::ShowInfoLabels() {
  try {
    const AlbumState& s = gAlbumState;
    const std::string& name = EditTarget.PhotoName;
    // A label lays out all of its text, however little of it shows.
    auto shown = [](const std::string& value) { return QString::fromStdString(ShownValue(value)); };
    // Centred, a title wider than its label would show its middle: its start shows.
    lbTitle->setText(lbTitle->fontMetrics().elidedText(shown(s.Title), Qt::ElideRight, lbTitle->width()));
    const std::string* values[] = {&s.Year, &s.Place, &s.Event, &s.People, &s.Photographer, &s.Keywords, &name};
    for (std::size_t k = 0; k < lbInfo.size(); ++k) lbInfo[k]->setText(shown(*values[k]));
    const bool clip = !name.empty() && qm::FileExists(AudioFolder + name + ".wav");
    for (QPushButton* b : cmdPlayAudioClip) SetEnabled(b, clip);
  } catch (const qm::RuntimeError& e) {
    LogError("LoadInfoBox", e);
  }
}

void frmMain::EditTargetLoaded() {
  if (Editable(EditTarget)) return;
  // The box stands for the new photo now, with nothing read.
  ShowInfoLabels();
  if (!gAlbumState.InfoEditMode) return;
  SetEditLock(false);
  RefuseEditing();
}

bool frmMain::RefuseEditing() {
  if (EditTarget.PhotoName.empty()) {
    qm::MsgBox("There is no photo whose information could be edited.", qm::MsgButtons::OK, kAppName);
    return true;
  }
  // A value cut short on reading would be written back cut: as unreadable.
  if (!Editable(EditTarget)) {
    qm::MsgBox("Unable to read the photo information from " + InfoFileOf(EditTarget.PhotoName) +
                   ". It cannot be edited.",
               qm::MsgButtons::OK, "Error");
    return true;
  }
  return false;
}

void frmMain::LoadCurrentInfo() {
  const std::int32_t k = gAlbumState.CurrentImageIndex;
  if (k >= 1 && std::size_t(k) < PhotoNames.size()) {
    if (PhotoNames[std::size_t(k)] == EditTarget.PhotoName && EditTarget.Read) return;
    if (LoadImageInfo(k, this)) LoadInfoBox();
    return;
  }
  // No photo is current: edits in progress go into their file, and the box is empty.
  if (gAlbumState.InfoEditMode) {
    SaveEdits();
    SetEditLock(false);
  }
  EditTarget = InfoTarget{};
  SetFields(gAlbumState, InfoFields{});
  ShowInfoLabels();
}

InfoFields frmMain::ReadEditBoxes() {
  auto text = [](const QLineEdit* t) { return t->text().toStdString(); };
  InfoFields f;
  f.Title = text(txtTitle);
  f.Photographer = text(txtPhotographer);
  f.Year = text(txtYear);
  f.People = text(txtPeople);
  f.Place = text(txtPlace);
  f.Event = text(txtEvent);
  f.Keywords = text(txtkeywords);
  return f;
}

void frmMain::WriteEditBoxes(const InfoFields& f) {
  txtYear->setMaxLength(std::max(kYearLength, int(QString::fromStdString(f.Year).size())));
  txtYear->setText(QString::fromStdString(f.Year));
  txtPlace->setText(QString::fromStdString(f.Place));
  txtEvent->setText(QString::fromStdString(f.Event));
  txtPeople->setText(QString::fromStdString(f.People));
  txtPhotographer->setText(QString::fromStdString(f.Photographer));
  txtkeywords->setText(QString::fromStdString(f.Keywords));
  txtTitle->setText(QString::fromStdString(f.Title));
}

bool frmMain::SaveEdits() {
  const InfoFields edits = ReadEditBoxes();
  if (RefuseEditing()) return false;
  if (!SaveInfoEdits(EditTarget, edits)) {
    qm::MsgBox("Unable to save the photo information to " + InfoFileOf(EditTarget.PhotoName), qm::MsgButtons::OK,
               "Error");
    return false;
  }
  // The labels show what the file holds.
  SetFields(gAlbumState, edits);
  return true;
}

bool frmMain::SaveImageInfo(std::int32_t CurrentImageIndex) { return ::SaveImageInfo(CurrentImageIndex); }

bool frmMain::CreateInfoFile(const std::string& InfoFile, const std::string& PhotoPath) {
  return ::CreateInfoFile(InfoFile, PhotoPath);
}

void frmMain::SetEditLock(bool locked) {
  gAlbumState.InfoEditMode = locked;
  if (locked) WriteEditBoxes(FieldsOf(gAlbumState));
  for (QLineEdit* t : {txtYear, txtPlace, txtEvent, txtPeople, txtPhotographer, txtkeywords, txtTitle})
    t->setVisible(locked);
  for (QWidget* w : std::initializer_list<QWidget*>{cmdFullScreen, cmdSlideshow, cmdZoomIn, cmdZoomOut})
    SetEnabled(w, !locked);
  for (int i = 0; i < grid::kStripButtons; ++i) {
    if (pctAlbumList[std::size_t(i)]) pctAlbumList[std::size_t(i)]->setEnabled(!locked);
    if (lbAlbumList[std::size_t(i)]) lbAlbumList[std::size_t(i)]->setEnabled(!locked);
  }
  for (QPushButton* b : optInfoPosition) b->setEnabled(!locked);
  for (QMenu* m : {mnuFile, mnuEdit, mnuView, mnuSet, mnuHelp})
    if (m) m->menuAction()->setEnabled(!locked);
  if (locked) {
    setCursor(Qt::ForbiddenCursor);
    framInfo->setCursor(Qt::IBeamCursor);
    txtTitle->setCursor(Qt::IBeamCursor);
    cmdEditPhotoInfo->setCursor(Qt::ArrowCursor);
  } else {
    for (QWidget* w : std::initializer_list<QWidget*>{this, framInfo, txtTitle, cmdEditPhotoInfo}) w->unsetCursor();
  }
}

void frmMain::cmdEditPhotoInfo_Click() {
  try {
    if (!gAlbumState.InfoEditMode) {
      if (RefuseEditing()) return;
      SetEditLock(true);
      ShowInfoBox(true);
      txtYear->setFocus();
      return;
    }
    ShowInfoBox(true);
    // Leaving the edit mode always unlocks the window, also when the file could
    // not be written (the user has been told).
    SaveEdits();
    SetEditLock(false);
    ShowInfoLabels();
    tmrInfoBox->start();
  } catch (const std::exception& e) {
    LogError("cmdEditPhotoInfo_Click", e.what());
  }
}

void frmMain::framInfo_MouseMove(int, int, float, float) {
  if (gAlbumState.InfoEditMode || InfoPosition() == 0) return;
  ShowInfoBox(true);
  tmrInfoBox->start();
}

void frmMain::tmrInfoBox_Timer() {
  if (gAlbumState.InfoEditMode || InfoPosition() == 2) return;
  tmrInfoBox->stop();
  ShowInfoBox(false);
}

void frmMain::optInfoPosition_Click(int Index) {
  if (Index < 0 || Index > 2) return;
  for (int k = 0; k < 3; ++k) SetBack(optInfoPosition[std::size_t(k)], k == Index ? kRed : kGrey);
  optInfoPosition[std::size_t(Index)]->setChecked(true);
  if (mnuSetInfoDown) mnuSetInfoDown->setChecked(Index == 0);
  if (mnuSetInfoNormal) mnuSetInfoNormal->setChecked(Index == 1);
  if (mnuSetInfoUp) mnuSetInfoUp->setChecked(Index == 2);
  if (Index == 0) ShowInfoBox(false);
  if (Index == 2) ShowInfoBox(true);
}
