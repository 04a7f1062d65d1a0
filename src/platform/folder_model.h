#pragma once
// The folders of the file system as a tree model for the folder lists. Folders are
// listed with the system's own calls and kept by their bytes, so a folder whose
// name is not valid UTF-8 is listed, shown as best it can, and opened by its name.
// A folder is listed when it is first shown and again whenever it is expanded or
// looked up, so folders made or removed meanwhile are found.
#include <QAbstractItemModel>
#include <memory>
#include <string>
#include <vector>

namespace qm {

class FolderModel : public QAbstractItemModel {
public:
  explicit FolderModel(QObject* parent = nullptr);
  ~FolderModel() override;

  // The folder at path ("/" or "/a/b"; "." and ".." resolved); invalid when some
  // level of it is no folder.
  QModelIndex IndexOf(const std::string& path);
  // The full path of a folder, "/" at the root; "" for an invalid index.
  std::string PathOf(const QModelIndex& index) const;
  // Lists the folder again: new folders come in, vanished ones go.
  void Refresh(const QModelIndex& index);

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& index) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

private:
  struct Node;
  static std::unique_ptr<Node> NewNode(Node* parent, const std::string& name, int row);
  Node* NodeOf(const QModelIndex& index) const;
  QModelIndex IndexOfNode(const Node* node) const;
  void List(Node* node);
  Node* Child(Node* node, const std::string& name);

  std::unique_ptr<Node> top_;  // the invisible top; its one child is "/"
};

// A path's folders from the root, "." and ".." resolved ("/a/./b/../c" gives a, c).
std::vector<std::string> PathLevels(const std::string& path);

}  // namespace qm
