// The dialog's face and its source side: the drive, folder and file lists, and
// the folder remembered between openings.
#include "media/frmAddMidiWav.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "archive/modUtils.h"
#include "core/errorlog.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/progress_track.h"
#include "platform/prompter.h"
#include "platform/runtime_error.h"
#include "platform/window_layout.h"

frmAddMidiWav::SoundCalls frmAddMidiWav::Sounds{::PlayWav, ::StopWav, ::PlayMidi, ::StopMidi};

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

using qm::Place;

}  // namespace

frmAddMidiWav::frmAddMidiWav() {
  qm::SetUpFixedDialog(*this, "Import-Link Midi Song to Group", 9600, 4740);
  setFont(qm::UiFont("MS Sans Serif", 8.25));
  using qm::TwipsRect;

  BuildSourceLists();

  cmdAddFile = Place(new QPushButton(QStringLiteral(">>"), this), "cmdAddFile", TwipsRect(5520, 1680, 540, 420));

  lbListContents = Place(new QLabel(QStringLiteral("Current Album Groups"), this), "lbListContents",
                         TwipsRect(6180, 120, 3300, 240));
  List1 = Place(new QListWidget(this), "List1", TwipsRect(6180, 360, 3300, 2880));
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  List2 = new QListWidget(this);
  List2->setObjectName("List2");
  List2->setSelectionMode(QAbstractItemView::MultiSelection);
  List2->hide();

  cmdPlayStop[2] = Place(new QPushButton(QStringLiteral("&Play"), this), "cmdPlayStop2", TwipsRect(6180, 3300, 1020, 360));
  cmdPlayStop[3] = Place(new QPushButton(QStringLiteral("&Stop"), this), "cmdPlayStop3", TwipsRect(7260, 3300, 1020, 360));
  cmdClear = Place(new QPushButton(QStringLiteral("&Clear"), this), "cmdClear", TwipsRect(8460, 3300, 1020, 360));

  Frame2 = Place(new QGroupBox(QStringLiteral("Options"), this), "Frame2", TwipsRect(120, 3780, 4200, 780));
  chkOptions[0] = Place(new QCheckBox(QStringLiteral("Overwrite existing files"), Frame2), "chkOptions0",
                        TwipsRect(240, 330, 3600, 300));

  const qm::ProgressTrack progress = qm::MakeProgressTrack(this, TwipsRect(4500, 3780, 4980, 330));
  pctProgress = progress.track;
  shpProgress = progress.bar;
  lbProgress = Place(new QLabel(pctProgress), "lbProgress", pctProgress->contentsRect());
  lbProgress->setAlignment(Qt::AlignCenter);
  lbProgress->setStyleSheet("color: #808080; background: transparent;");

  cmdImport = Place(new QPushButton(QStringLiteral("&Make it so"), this), "cmdImport", TwipsRect(7680, 4200, 1800, 420));

  for (int i = 0; i < 4; ++i) connect(cmdPlayStop[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdPlayStop_Click(i); });
  connect(cmdAddFile, &QPushButton::clicked, this, [this] { cmdAddFile_Click(); });
  connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
  connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
  connect(List1, &QListWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
}

void frmAddMidiWav::BuildSourceLists() {
  using qm::TwipsRect;
  Drive1 = Place(new qm::DriveList(this, qm::Volumes::Devices), "Drive1", TwipsRect(120, 120, 2640, 330));
  Dir1 = Place(new qm::FolderList(this), "Dir1", TwipsRect(120, 540, 2640, 3120));
  Dir1Model = Dir1->Model();

  Label3 = Place(new QLabel(QStringLiteral("Source Files"), this), "Label3", TwipsRect(2880, 120, 2520, 240));
  File1 = Place(new qm::FileListBox(this), "File1", TwipsRect(2880, 360, 2520, 2880));
  File1->setSelectionMode(QAbstractItemView::SingleSelection);
  cmdPlayStop[0] = Place(new QPushButton(QStringLiteral("&Play"), this), "cmdPlayStop0", TwipsRect(2880, 3300, 1200, 360));
  cmdPlayStop[1] = Place(new QPushButton(QStringLiteral("&Stop"), this), "cmdPlayStop1", TwipsRect(4200, 3300, 1200, 360));

  Dir1->OnChange = [this] {
    Dir1Path = Dir1->Path();
    Dir1_Change();
  };
  Drive1->OnChange = [this] { Drive1_Change(); };
  connect(File1, &QListWidget::itemDoubleClicked, this, [this] { File1_DblClick(); });
}

void frmAddMidiWav::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  qm::CentreWindow(*this);
}

void frmAddMidiWav::Form_Load() {
  const std::string programFolder = AppPath.empty() ? "/" : AppPath;
  std::string folder = gSettings.GetDravenholtSetting(kAppName, "Sound", "LastPath", programFolder);
  // A folder that is gone (a disc taken out) is logged; the lists start at the program folder.
  if (!qm::FolderExists(folder)) {
    LogError("Form_Load", qm::RuntimeError(qm::ErrPathNotFound));
    folder = programFolder;
  }
  SetDir1Path(folder);
}

void frmAddMidiWav::SetDir1Path(const std::string& folder) {
  Dir1Path = folder;
  Drive1->ShowDriveOf(folder);
  Dir1->ShowPath(folder, Drive1->Drive());
  Dir1_Change();
}

// Every folder change is remembered at once, whichever list made it.
void frmAddMidiWav::Dir1_Change() {
  File1Path = Dir1Path;
  try {
    File1_Refresh();
  } catch (const qm::RuntimeError& e) {
    File1->clear();
    LogError("Dir1_Change", e);
  }
  gSettings.SetDravenholtSetting(kAppName, "Sound", "LastPath", Dir1Path);
}

void frmAddMidiWav::Drive1_Change() {
  const std::string root = Drive1->Drive();
  const QDir drive(Q(root));
  if (!drive.exists() || !drive.isReadable()) {
    qm::MsgBox("Error: Device unavailable");
    Drive1->ShowDriveOf(Dir1Path);
    return;
  }
  SetDir1Path(root);
}

void frmAddMidiWav::File1_Refresh() { File1->Show(File1Path, File1Pattern); }

std::string frmAddMidiWav::SelectedSource() const {
  const QList<QListWidgetItem*> picked = File1->selectedItems();
  if (picked.isEmpty()) return {};
  const std::string name = qm::BytesOf(picked.front());
  return File1Path.ends_with('/') ? File1Path + name : File1Path + "/" + name;
}
