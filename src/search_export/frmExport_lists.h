#pragma once
// The export dialog's drive list and folder list: a combo of the mounted volumes
// ("/" first) and a tree of folders only, whose current folder is its path.
#include <QComboBox>
#include <QTreeView>
#include <functional>
#include <string>

class QFileSystemModel;

class DriveList : public QComboBox {
public:
  explicit DriveList(QWidget* parent);
  // The root of the chosen volume.
  std::string Drive() const;
  // Chooses the volume that holds path, without telling the change.
  void ShowDriveOf(const std::string& path);
  std::function<void()> OnChange;
};

class FolderList : public QTreeView {
public:
  explicit FolderList(QWidget* parent);
  // The current folder, without a trailing "/" except at the root.
  std::string Path() const { return path_; }
  // Makes path the current folder and tells the change; throws qm::RuntimeError
  // (76, path not found) when it is no folder, leaving the current one.
  void SetPath(const std::string& path);
  std::function<void()> OnChange;

protected:
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

private:
  void Select(const QModelIndex& index);
  void RevealCurrent();
  QFileSystemModel* model_;
  std::string path_;
  bool revealPending_ = false;
};
