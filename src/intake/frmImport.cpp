// The import dialog's window: its controls, load and unload, and the lock that keeps
// an import and a scan apart.
#include "intake/frmImport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

#include "core/errorlog.h"
#include "core/modquillmont.h"
#include "intake/ScanSystem.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/progress_track.h"
#include "platform/window_layout.h"

namespace {

using qm::TwipsRect;

QFont Bold(QFont f, bool bold = true) {
  f.setBold(bold);
  return f;
}

const char* const kFilterCaptions[7] = {"bmp", "gif", "jpg", "wmf", "mpg", "mov", "avi"};

}  // namespace

frmImport::frmImport() {
  qm::SetUpFixedDialog(*this, "Import Media", 6285, 6690);
  setFont(qm::UiFont("MS Sans Serif", 8));
  BuildControls();
  BuildOptions();
}

void frmImport::BuildControls() {
  const QFont bold = Bold(font());
  Label3 = qm::FixedTextLabel(this, "Label3", "Source Files", bold, TwipsRect(360, 180, 2400, 240));

  File1 = new qm::FileListBox(this);
  File1->setObjectName("File1");
  File1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  File1->setGeometry(TwipsRect(240, 420, 2655, 2235));

  Dir1 = new qm::FolderList(this);
  Dir1Model = Dir1->Model();
  Dir1->setObjectName("Dir1");
  Dir1->setGeometry(TwipsRect(240, 2700, 2655, 1890));
  Dir1->OnChange = [this] { SetDir1Path(Dir1->Path()); };

  Drive1 = new qm::DriveList(this);
  Drive1->setObjectName("Drive1");
  Drive1->setGeometry(TwipsRect(240, 4620, 2655, 315));
  // Any change of the drive, by the user or by a script, goes to the folder list.
  connect(Drive1, &QComboBox::currentIndexChanged, this, [this] { Drive1_Change(); });

  for (int i = 0; i < 7; ++i) {
    auto* box = new QCheckBox(kFilterCaptions[i], this);
    box->setObjectName(QString("chkFilter_%1").arg(i));
    box->setChecked(true);
    box->setGeometry(TwipsRect(240 + (i % 4) * 660, 5040 + (i / 4) * 240, 660, 240));
    connect(box, &QCheckBox::clicked, this, [this, i] { chkFilter_Click(i); });
    chkFilter[size_t(i)] = box;
  }

  cmdAutoScan = new QPushButton(kScanCaption, this);
  cmdAutoScan->setObjectName("cmdAutoScan");
  cmdAutoScan->setFont(bold);
  cmdAutoScan->setGeometry(TwipsRect(240, 5580, 2655, 315));
  connect(cmdAutoScan, &QPushButton::clicked, this, [this] { cmdAutoScan_Click(); });

  cmdAddFile = new QPushButton("&>>", this);
  cmdAddFile->setObjectName("cmdAddFile");
  cmdAddFile->setGeometry(TwipsRect(3000, 960, 495, 315));
  connect(cmdAddFile, &QPushButton::clicked, this, [this] { cmdAddFile_Click(); });
  cmdRemoveFile = new QPushButton("&<<", this);
  cmdRemoveFile->setObjectName("cmdRemoveFile");
  cmdRemoveFile->setGeometry(TwipsRect(3000, 1440, 495, 315));
  connect(cmdRemoveFile, &QPushButton::clicked, this, [this] { cmdRemoveFile_Click(); });

  lbCount = qm::FixedTextLabel(this, "lbCount", "0", font(), TwipsRect(2940, 2220, 615, 195));
  lbCount->setAlignment(Qt::AlignCenter);

  Label4[0] = qm::FixedTextLabel(this, "Label4_0", "Files Selected for Import", bold, TwipsRect(3660, 180, 2400, 240));
  List1 = new QListWidget(this);
  List1->setObjectName("List1");
  List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  List1->setGeometry(TwipsRect(3600, 420, 2415, 2205));
  List1->installEventFilter(this);
  // A scan adds thousands of rows.
  qm::FitNamesToWidth(*List1);
  List2 = new QListWidget(this);
  List2->setObjectName("List2");
  List2->setSelectionMode(QAbstractItemView::ExtendedSelection);
  List2->setGeometry(TwipsRect(6120, 360, 2055, 2595));
  List2->hide();

  Line1 = new QFrame(this);
  Line1->setObjectName("Line1");
  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Sunken);
  Line1->setGeometry(TwipsRect(0, 6030, 6285, 60));

  const qm::ProgressTrack progress = qm::MakeProgressTrack(this, TwipsRect(240, 6225, 4275, 315));
  pctProgress = progress.track;
  shpProgress = progress.bar;
  lbProgress = new QLabel("     ", pctProgress);
  lbProgress->setObjectName("lbProgress");
  lbProgress->setFont(bold);
  lbProgress->setAlignment(Qt::AlignCenter);
  lbProgress->setStyleSheet("color: grey; background: transparent;");
  lbProgress->setGeometry(0, 0, pctProgress->width(), pctProgress->height());

  cmdImport = new QPushButton(kImportCaption, this);
  cmdImport->setObjectName("cmdImport");
  cmdImport->setFont(bold);
  cmdImport->setGeometry(TwipsRect(4680, 6180, 1335, 375));
  connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
}

void frmImport::BuildOptions() {
  const QFont bold = Bold(font());
  Frame2 = new QGroupBox("Options", this);
  Frame2->setObjectName("Frame2");
  Frame2->setFont(bold);
  Frame2->setGeometry(TwipsRect(3600, 2700, 2415, 3135));
  struct Option {
    int index;
    const char* caption;
    int top;
    bool ticked;
  } options[] = {{3, "Create photo links only (No copies to local dir)", 360, true},
                 {0, "Overwrite existing photos in album", 900, false},
                 {1, "Overwrite existing photos info files", 1440, false},
                 {2, "Auto rename/number", 2040, false}};
  const QFont plain = Bold(font(), false);
  for (const Option& o : options) {
    // A check box does not wrap its caption: the caption is a wrapping label
    // beside it, and a click on the label is a click on the box.
    auto* box = new QCheckBox(Frame2);
    box->setObjectName(QString("chkOptions_%1").arg(o.index));
    box->setAccessibleName(o.caption);
    box->setChecked(o.ticked);
    box->setGeometry(TwipsRect(120, o.top, 300, 240));
    auto* caption = new QLabel(o.caption, Frame2);
    caption->setObjectName(QString("chkOptionsCaption_%1").arg(o.index));
    caption->setFont(plain);
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    caption->setGeometry(TwipsRect(420, o.top, 1920, 480));
    caption->installEventFilter(this);
    connect(box, &QCheckBox::clicked, this, [this, i = o.index] { chkOptions_Click(i); });
    chkOptions[size_t(o.index)] = box;
    optionCaptions_[size_t(o.index)] = caption;
  }
  Label4[2] = qm::FixedTextLabel(Frame2, "Label4_2", "Prefix", plain, TwipsRect(660, 2340, 600, 240));
  Label4[3] = qm::FixedTextLabel(Frame2, "Label4_3", "Start #", plain, TwipsRect(1380, 2340, 600, 240));
  const int lefts[2] = {660, 1380}, widths[2] = {615, 555};
  const char* texts[2] = {"Image", "0100"};
  for (int i = 0; i < 2; ++i) {
    auto* t = new QLineEdit(texts[i], Frame2);
    t->setObjectName(QString("txtAutoName_%1").arg(i));
    t->setFont(plain);
    t->setGeometry(TwipsRect(lefts[i], 2580, widths[i], 285));
    connect(t, &QLineEdit::textChanged, this, [this, i] { txtAutoName_Change(i); });
    txtAutoName[size_t(i)] = t;
  }
}

void frmImport::ShowImport(bool fromSearch) {
  frmImport& dialog = Get();
  dialog.OpenedFromSearch = fromSearch;
  dialog.exec();
  Unload();
}

void frmImport::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  qm::CentreWindow(*this);
}

void frmImport::Form_Load() {
  try {
    const std::string fallback = RootFolder.empty() ? "/" : RootFolder;
    std::string path = gSettings.GetDravenholtSetting(kAppName, "Import", "LastPath", fallback);
    // A remembered folder that is gone (a card taken out) must not cost the
    // remembered name and number: the dialog shows the program folder instead.
    if (!qm::FolderExists(path)) {
      LogError("Form_Load", "The folder \"" + path + "\" is not there; the program folder is shown.");
      path = fallback;
    }
    SetDir1Path(path);
  } catch (const qm::RuntimeError& e) {
    LogError("Form_Load", e);
  }
  txtAutoName[0]->setText(QString::fromStdString(gSettings.GetDravenholtSetting(kAppName, "Import", "Autoname", "Image")));
  txtAutoName_Change(0);
  txtAutoName[1]->setText(
      QString::fromStdString(gSettings.GetDravenholtSetting(kAppName, "Import", "Autonumber", "0100")));
  BuildFilePattern();
}

void frmImport::Form_Unload(bool& cancel) {
  if (running_ == Running::None) return;
  // The run in hand ends after its current item and then closes the window.
  cancel = true;
  closeAfterRun_ = true;
  // A click on Import while it runs is its stop request.
  if (running_ == Running::Import) cmdImport_Click();
  if (running_ == Running::Scan) ScanSystem::StopScan = true;
}

void frmImport::reject() {
  if (running_ != Running::None) {
    close();
    return;
  }
  QDialog::reject();
}

void frmImport::SetRunning(Running r) {
  running_ = r;
  ImportScanBusy = r != Running::None;
  const bool idle = r == Running::None;
  // The run reads the lists row by row: they are not edited meanwhile.
  cmdAddFile->setEnabled(idle);
  cmdRemoveFile->setEnabled(idle);
  cmdAutoScan->setEnabled(r != Running::Import);
  cmdImport->setEnabled(r != Running::Scan);
}

void frmImport::EndRun() {
  SetRunning(Running::None);
  unsetCursor();
  if (closeAfterRun_) {
    closeAfterRun_ = false;
    close();
  }
}

bool frmImport::eventFilter(QObject* watched, QEvent* e) {
  if (watched == List1 && e->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(e);
    const int shift = (k->modifiers() & Qt::ShiftModifier ? 1 : 0) | (k->modifiers() & Qt::ControlModifier ? 2 : 0) |
                      (k->modifiers() & Qt::AltModifier ? 4 : 0);
    List1_KeyDown(k->key() == Qt::Key_Delete ? 46 : k->key(), shift);
    if (k->key() == Qt::Key_Delete) return true;
  }
  if (e->type() == QEvent::MouseButtonRelease)
    for (size_t i = 0; i < optionCaptions_.size(); ++i)
      if (watched == optionCaptions_[i] && chkOptions[i]->isEnabled()) chkOptions[i]->click();
  return QDialog::eventFilter(watched, e);
}
