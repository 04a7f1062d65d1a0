#include "platform/drive_folder_lists.h"

#include <QFile>
#include <QHeaderView>
#include <QStorageInfo>
#include <algorithm>

#include "platform/files.h"
#include "platform/runtime_error.h"

namespace qm {

namespace {

QString Q(const std::string& s) { return QFile::decodeName(QByteArray::fromStdString(s)); }
std::string S(const QString& s) { return QFile::encodeName(s).toStdString(); }

bool Offered(const QStorageInfo& v, Volumes which) {
  if (!v.isValid()) return false;
  if (which == Volumes::All) return true;
  return v.isReady() && v.device().startsWith("/dev/") && QFileInfo(v.rootPath()).isDir();
}

}  // namespace

std::vector<std::string> MountedDrives(Volumes which) {
  std::vector<std::string> out;
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
    if (Offered(v, which) && v.rootPath() != "/") out.push_back(S(v.rootPath()));
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  out.insert(out.begin(), "/");
  return out;
}

DriveList::DriveList(QWidget* parent, Volumes which) : QComboBox(parent) {
  for (const std::string& d : MountedDrives(which)) addItem(Q(d), Q(d));
  connect(this, &QComboBox::activated, this, [this](int) {
    if (OnChange) OnChange();
  });
}

std::string DriveList::Drive() const { return S(currentText()); }

int DriveList::IndexOf(const std::string& path) const {
  int best = 0;
  qsizetype bestLength = 0;
  const QString p = Q(path);
  for (int i = 0; i < count(); ++i) {
    const QString root = itemText(i);
    const bool under = p == root || p.startsWith(root.endsWith('/') ? root : root + '/');
    if (under && root.size() > bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  return best;
}

void DriveList::ShowDriveOf(const std::string& path) {
  const QStorageInfo volume(Q(path));
  if (volume.isValid() && findText(volume.rootPath()) < 0) addItem(volume.rootPath(), volume.rootPath());
  const QSignalBlocker quiet(this);
  setCurrentIndex(IndexOf(path));
}

FolderList::FolderList(QWidget* parent) : QTreeView(parent), model_(new FolderModel(this)) {
  setModel(model_);
  header()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            HighlightCurrent();
            if (!quiet_) Select(current);
          });
  // An expanded folder is listed afresh, so folders made since show.
  connect(this, &QTreeView::expanded, model_, [this](const QModelIndex& i) { model_->Refresh(i); });
}

void FolderList::SetPath(const std::string& path) {
  if (path.empty() || !FolderExists(path)) throw RuntimeError(ErrPathNotFound);
  const QModelIndex index = model_->IndexOf(path);
  if (!index.isValid()) throw RuntimeError(ErrPathNotFound);
  if (index == currentIndex()) {
    Select(index);
  } else {
    setCurrentIndex(index);  // tells the change through currentChanged
  }
  RevealCurrent();
}

void FolderList::ShowPath(const std::string& path, const std::string& root) {
  const QModelIndex top = model_->IndexOf(root);
  if (top != rootIndex()) setRootIndex(top);
  path_ = path;
  const QModelIndex here = model_->IndexOf(path);
  quiet_ = true;
  setCurrentIndex(here);
  quiet_ = false;
  HighlightCurrent();
  RevealCurrent();
}

void FolderList::Select(const QModelIndex& index) {
  if (!index.isValid()) return;
  path_ = model_->PathOf(index);
  if (OnChange) OnChange();
}

void FolderList::RevealCurrent() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  for (QModelIndex up = current; up.isValid(); up = up.parent()) expand(up);
  if (!userPicking_) scrollTo(current, QAbstractItemView::PositionAtCenter);
}

void FolderList::HighlightCurrent() {
  const QModelIndex current = currentIndex();
  if (current.isValid())
    selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
  else
    selectionModel()->clearSelection();
}

void FolderList::setSelection(const QRect&, QItemSelectionModel::SelectionFlags) { HighlightCurrent(); }

void FolderList::AsUserPick(const std::function<void()>& handle) {
  userPicking_ = true;
  handle();
  userPicking_ = false;
  HighlightCurrent();
}

void FolderList::mousePressEvent(QMouseEvent* e) {
  AsUserPick([&] { QTreeView::mousePressEvent(e); });
}

void FolderList::mouseReleaseEvent(QMouseEvent* e) {
  AsUserPick([&] { QTreeView::mouseReleaseEvent(e); });
}

void FolderList::keyPressEvent(QKeyEvent* e) {
  AsUserPick([&] { QTreeView::keyPressEvent(e); });
}

void FileListBox::Show(const std::string& folder, const std::string& pattern) {
  Show(folder, [&](const std::string& name) { return MatchesPattern(name, pattern); });
}

void FileListBox::Show(const std::string& folder, const std::function<bool(const std::string& name)>& keep) {
  std::vector<std::string> names = ListFiles(folder, "*");
  std::erase_if(names, [&](const std::string& n) { return !keep(n); });
  clear();
  for (const std::string& n : names) addItem(BytesItem(n));
}

}  // namespace qm
