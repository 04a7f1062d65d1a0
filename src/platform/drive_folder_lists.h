#pragma once
// The drive, folder and file lists the dialogs pick files and folders with: a
// combo of the mounted volumes ("/" first), a tree of folders only, and a list of
// one folder's files filtered by patterns. Names keep their bytes, which need not
// be UTF-8; the shown text is only for the eye.
#include <QComboBox>
#include <QListWidget>
#include <QTreeView>
#include <functional>
#include <string>
#include <vector>

#include "platform/folder_model.h"
#include "platform/shown_names.h"

namespace qm {

// Which volumes a drive list offers: every mounted one, or only those on a device
// that are ready (no /proc, /sys and the like).
enum class Volumes { All, Devices };

// Root paths of the mounted volumes: "/" first, the rest in name order.
std::vector<std::string> MountedDrives(Volumes which = Volumes::All);

class DriveList : public QComboBox {
public:
  explicit DriveList(QWidget* parent, Volumes which = Volumes::All);
  // The root of the chosen volume.
  std::string Drive() const;
  // The entry that holds path: the longest root above it ("/" at worst).
  int IndexOf(const std::string& path) const;
  // Chooses the volume that holds path, adding one mounted since the list was
  // filled, without telling the change.
  void ShowDriveOf(const std::string& path);
  // Told when the user picks a volume.
  std::function<void()> OnChange;
};

// The folders as a tree. The highlighted folder is always the current one, the
// folder the dialog's lists use; a click never moves the tree under the pointer.
class FolderList : public QTreeView {
public:
  explicit FolderList(QWidget* parent);
  FolderModel* Model() const { return model_; }
  // The current folder, without a trailing "/" except at the root.
  std::string Path() const { return path_; }
  // Makes path the current folder and tells the change; throws qm::RuntimeError
  // (76, path not found) when it is no folder, leaving the current one.
  void SetPath(const std::string& path);
  // Shows path as the current folder under root without telling the change.
  void ShowPath(const std::string& path, const std::string& root);
  // Told when the current folder changes, by the user or by SetPath.
  std::function<void()> OnChange;

protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  // The view's own range selections are not used: the current folder is the selection.
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;

private:
  void Select(const QModelIndex& index);
  // Opens the current folder and the way down to it and, unless the user is
  // picking a folder, brings it into view.
  void RevealCurrent();
  void HighlightCurrent();
  // Runs the view's own handling of the user's mouse or key, which never scrolls
  // the tree to the folder it picks.
  void AsUserPick(const std::function<void()>& handle);
  FolderModel* model_;
  std::string path_;
  bool quiet_ = false;
  bool userPicking_ = false;
};

class FileListBox : public QListWidget {
public:
  using QListWidget::QListWidget;
  // Lists folder's files that match a wildcard pattern, or that keep accepts. A
  // folder that is gone lists nothing; one that cannot be read throws
  // qm::RuntimeError and leaves the list as it was.
  void Show(const std::string& folder, const std::string& pattern);
  void Show(const std::string& folder, const std::function<bool(const std::string& name)>& keep);
  std::string Name(int row) const { return BytesOf(item(row)); }
};

}  // namespace qm
