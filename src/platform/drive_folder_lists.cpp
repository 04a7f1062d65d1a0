#include "platform/drive_folder_lists.h"

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyledItemDelegate>
#include <QToolTip>
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

QListWidgetItem* BytesItem(const std::string& bytes) {
  auto* item = new QListWidgetItem(Q(bytes));
  item->setData(Qt::UserRole, QByteArray::fromStdString(bytes));
  return item;
}

void AppendBytesItems(QListWidget& list, const std::vector<std::string>& rows) {
  if (rows.empty()) return;
  QStringList shown;
  shown.reserve(qsizetype(rows.size()));
  for (const std::string& r : rows) shown.push_back(Q(r));
  const int first = list.count();
  list.addItems(shown);
  // The bytes are no shown role: nobody needs telling of them, row by row.
  const QSignalBlocker quiet(list.model());
  for (std::size_t i = 0; i < rows.size(); ++i)
    list.item(first + int(i))->setData(Qt::UserRole, QByteArray::fromStdString(rows[i]));
}

void FitNamesToWidth(QListWidget& list) {
  // No row is wider than the list, whichever row the view takes its size from.
  class ListWide : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
      return {0, QStyledItemDelegate::sizeHint(option, index).height()};
    }
    // A shortened name shows whole under the pointer.
    bool helpEvent(QHelpEvent* e, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
      const QString text = index.data().toString();
      const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
      if (e->type() != QEvent::ToolTip || option.fontMetrics.horizontalAdvance(text) <= option.rect.width() - margins)
        return QStyledItemDelegate::helpEvent(e, view, option, index);
      QToolTip::showText(e->globalPos(), text, view);
      return true;
    }
  };
  list.setItemDelegate(new ListWide(&list));
  list.setUniformItemSizes(true);
  list.setTextElideMode(Qt::ElideMiddle);
  list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

std::string BytesOf(const QListWidgetItem* item) {
  return item ? item->data(Qt::UserRole).toByteArray().toStdString() : std::string();
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

FolderList::FolderList(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this)) {
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setReadOnly(true);
  model_->setRootPath("/");
  setModel(model_);
  for (int c = 1; c < model_->columnCount(); ++c) hideColumn(c);
  header()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            if (!quiet_) Select(current);
          });
  // The model lists folders on a thread of its own: the way down to the current
  // folder is shown as its folders arrive, until the user takes the list over.
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this] { RevealCurrent(); });
  connect(model_, &QFileSystemModel::rowsInserted, this, [this] { RevealCurrent(); });
  connect(model_, &QFileSystemModel::layoutChanged, this, [this] { RevealCurrent(); });
  connect(verticalScrollBar(), &QScrollBar::sliderPressed, this, [this] { revealPending_ = false; });
}

void FolderList::SetPath(const std::string& path) {
  if (path.empty() || !FolderExists(path)) throw RuntimeError(ErrPathNotFound);
  const QModelIndex index = model_->index(QDir::cleanPath(Q(path)));
  if (!index.isValid()) throw RuntimeError(ErrPathNotFound);
  if (index == currentIndex()) {
    Select(index);
  } else {
    setCurrentIndex(index);  // tells the change through currentChanged
  }
  revealPending_ = true;
  RevealCurrent();
}

void FolderList::ShowPath(const std::string& path, const std::string& root) {
  model_->setRootPath(Q(root));
  setRootIndex(model_->index(Q(root)));
  path_ = path;
  const QModelIndex here = model_->index(Q(path));
  quiet_ = true;
  setCurrentIndex(here);
  quiet_ = false;
  revealPending_ = here.isValid();
  if (here.isValid()) expand(here);
  RevealCurrent();
}

void FolderList::Select(const QModelIndex& index) {
  if (!index.isValid()) return;
  path_ = S(QDir::cleanPath(model_->filePath(index)));
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
