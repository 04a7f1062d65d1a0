#include "browser/frmGroups.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QWindow>

#include "browser/frmMain.h"
#include "core/group_names.h"
#include "core/groupfiles.h"
#include "core/modquillmont.h"
#include "platform/fonts.h"
#include "platform/prompter.h"
#include "platform/shown_names.h"
#include "platform/window_layout.h"

frmGroups::frmGroups() {
  qm::SetUpFixedDialog(*this, "Move photo(s) to ...", 2295, 3585);

  lstGroups = new QListWidget(this);
  lstGroups->setObjectName("lstGroups");
  lstGroups->setGeometry(qm::TwipsRect(0, 0, 2295, 3180));
  lstGroups->setFont(qm::UiFont("MS Sans Serif", 8.25, true));
  lstGroups->viewport()->installEventFilter(this);
  lstGroups->installEventFilter(this);

  cmdNewGroup = new QPushButton(QStringLiteral("&Create New Group"), this);
  cmdNewGroup->setObjectName("cmdNewGroup");
  cmdNewGroup->setGeometry(qm::TwipsRect(60, 3240, 2175, 315));
  connect(cmdNewGroup, &QPushButton::clicked, this, [this] { cmdNewGroup_Click(); });
}

void frmGroups::Form_Load() { NewGroupMode = 1; }

void frmGroups::SetMode(long CopyMoveMode) { NewGroupMode = std::int16_t(CopyMoveMode); }

void frmGroups::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  QWidget* owner = frmMain::IsLoaded() ? &frmMain::Get() : nullptr;
  if (owner && windowHandle() && owner->windowHandle()) windowHandle()->setTransientParent(owner->windowHandle());
  qm::CentreWindow(*this, owner);
  Form_Activate();
}

namespace {
// Where a row keeps its group's list file.
constexpr int kFileRole = Qt::UserRole + 1;
}  // namespace

// Refilled at every showing, so groups made or renamed meanwhile are listed, and
// never the loaded group or the all-photos group. The list takes the strip's order
// (case folded); each row shows what its button shows and keeps its group's list
// file byte for byte, the one a pick acts on.
void frmGroups::Form_Activate() {
  FillingGroups = true;
  lstGroups->clear();
  const std::string loaded = LoadedListFile();
  for (int p = 0; p < lstSlideGroups.ListCount(); ++p) {
    if (lstSlideGroups.FileAt(p) == loaded || lstSlideGroups.List(p) == kAllPhotosGroup) continue;
    QListWidgetItem* row = qm::BytesItem(lstSlideGroups.Shown(p));
    row->setData(kFileRole, QByteArray::fromStdString(lstSlideGroups.FileAt(p)));
    lstGroups->addItem(row);
  }
  if (lstGroups->count() > 0) lstGroups->setCurrentRow(0);
  FillingGroups = false;
}

void frmGroups::lstGroups_MouseUp(int, int, float, float) {
  if (FillingGroups) return;
  const QListWidgetItem* item = lstGroups->currentItem();
  // With no group to pick, the window stays for a new group or to be closed.
  if (!item) return;
  const std::string group = qm::BytesOf(item);
  const std::string target = item->data(kFileRole).toByteArray().toStdString();
  const QString how = windowTitle().left(4);
  if (how == "Move") {
    frmMain::Get().MoveToGroup(target);
  } else if (how == "Copy" && !frmMain::Get().AddToGroup(target)) {
    qm::MsgBox("The photo(s) could not be copied to the group \"" + group + "\".", qm::MsgButtons::OK, "",
               qm::MsgIcon::Exclamation);
  }
  accept();
}

void frmGroups::lstGroups_KeyPress(int KeyAscii) {
  if (KeyAscii == 13) lstGroups_MouseUp(1, 0, 0, 0);
}

// The picker goes first (it is unloaded as it closes); the new group then takes
// the copy or the move.
void frmGroups::cmdNewGroup_Click() {
  const int mode = NewGroupMode;
  accept();
  frmMain::Get().CreateAlbumGroup(mode);
}

bool frmGroups::eventFilter(QObject* watched, QEvent* e) {
  if (watched == lstGroups->viewport() && e->type() == QEvent::MouseButtonRelease) {
    const auto* m = static_cast<QMouseEvent*>(e);
    const int button = m->button() == Qt::RightButton ? 2 : m->button() == Qt::MiddleButton ? 4 : 1;
    lstGroups_MouseUp(button, 0, float(m->position().x()), float(m->position().y()));
    return true;
  }
  if (watched == lstGroups && e->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      lstGroups_KeyPress(13);
      return true;
    }
  }
  return QDialog::eventFilter(watched, e);
}
