#include "search_export/frmExport_lists.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScrollBar>
#include <QStorageInfo>
#include <algorithm>

#include "platform/files.h"
#include "platform/runtime_error.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  QStringList roots;
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
    if (v.isValid() && !roots.contains(v.rootPath())) roots << v.rootPath();
  roots.removeAll("/");
  std::sort(roots.begin(), roots.end());
  roots.prepend("/");
  addItems(roots);
  connect(this, &QComboBox::activated, this, [this](int) {
    if (OnChange) OnChange();
  });
}

std::string DriveList::Drive() const { return currentText().toStdString(); }

void DriveList::ShowDriveOf(const std::string& path) {
  const QString root = QStorageInfo(Q(path)).rootPath();
  if (root.isEmpty()) return;
  int at = findText(root);
  if (at < 0) {
    addItem(root);
    at = count() - 1;
  }
  QSignalBlocker quiet(this);
  setCurrentIndex(at);
}

FolderList::FolderList(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this)) {
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath("/");
  setModel(model_);
  for (int c = 1; c < model_->columnCount(); ++c) hideColumn(c);
  header()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) { Select(current); });
  // The model lists folders on a thread of its own: the way down to the current
  // folder is shown as its folders arrive, until the user takes the list over.
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this] { RevealCurrent(); });
  connect(model_, &QFileSystemModel::rowsInserted, this, [this] { RevealCurrent(); });
  connect(model_, &QFileSystemModel::layoutChanged, this, [this] { RevealCurrent(); });
  connect(verticalScrollBar(), &QScrollBar::sliderPressed, this, [this] { revealPending_ = false; });
}

void FolderList::SetPath(const std::string& path) {
  if (path.empty() || !qm::FolderExists(path)) throw qm::RuntimeError(qm::ErrPathNotFound);
  const QModelIndex index = model_->index(QDir::cleanPath(Q(path)));
  if (!index.isValid()) throw qm::RuntimeError(qm::ErrPathNotFound);
  if (index == currentIndex()) {
    Select(index);
  } else {
    setCurrentIndex(index);  // tells the change through currentChanged
  }
  revealPending_ = true;
  RevealCurrent();
}

void FolderList::Select(const QModelIndex& index) {
  if (!index.isValid()) return;
  path_ = QDir::cleanPath(model_->filePath(index)).toStdString();
  if (OnChange) OnChange();
}

void FolderList::RevealCurrent() {
  if (!revealPending_ || !currentIndex().isValid()) return;
  for (QModelIndex up = currentIndex().parent(); up.isValid(); up = up.parent()) expand(up);
  scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
}

void FolderList::mousePressEvent(QMouseEvent* e) {
  revealPending_ = false;
  QTreeView::mousePressEvent(e);
}

void FolderList::keyPressEvent(QKeyEvent* e) {
  revealPending_ = false;
  QTreeView::keyPressEvent(e);
}

void FolderList::wheelEvent(QWheelEvent* e) {
  revealPending_ = false;
  QTreeView::wheelEvent(e);
}
