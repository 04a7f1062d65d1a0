#include "platform/folder_model.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/runtime_error.h"
#include "platform/shown_names.h"

namespace qm {

struct FolderModel::Node {
  std::string name;
  Node* parent = nullptr;
  int row = 0;
  bool listed = false;
  std::vector<std::unique_ptr<Node>> children;
};

std::vector<std::string> PathLevels(const std::string& path) {
  std::vector<std::string> levels;
  size_t from = 0;
  while (from <= path.size()) {
    const size_t to = std::min(path.find('/', from), path.size());
    const std::string part = path.substr(from, to - from);
    if (part == "..") {
      if (!levels.empty()) levels.pop_back();
    } else if (!part.empty() && part != ".") {
      levels.push_back(part);
    }
    from = to + 1;
  }
  return levels;
}

FolderModel::FolderModel(QObject* parent) : QAbstractItemModel(parent), top_(std::make_unique<Node>()) {
  top_->children.push_back(NewNode(top_.get(), "/", 0));
  top_->listed = true;
}

FolderModel::~FolderModel() = default;

std::unique_ptr<FolderModel::Node> FolderModel::NewNode(Node* parent, const std::string& name, int row) {
  auto child = std::make_unique<Node>();
  child->name = name;
  child->parent = parent;
  child->row = row;
  return child;
}

FolderModel::Node* FolderModel::NodeOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<Node*>(index.internalPointer()) : top_.get();
}

QModelIndex FolderModel::IndexOfNode(const Node* node) const {
  if (!node || node == top_.get()) return {};
  return createIndex(node->row, 0, const_cast<Node*>(node));
}

std::string FolderModel::PathOf(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  std::vector<const Node*> chain;
  for (const Node* n = NodeOf(index); n && n != top_.get(); n = n->parent) chain.push_back(n);
  std::string path;
  for (auto it = chain.rbegin() + 1; it != chain.rend(); ++it) path += "/" + (*it)->name;
  return path.empty() ? "/" : path;
}

// Merges a fresh listing into the node's children, so folders that stay keep their
// rows' indexes (and the view its expanded and current folders).
void FolderModel::List(Node* node) {
  const QModelIndex at = IndexOfNode(node);
  std::vector<std::string> names;
  try {
    names = ListFolders(PathOf(at));
  } catch (const RuntimeError&) {
    // A folder that cannot be read shows no folders inside.
  }
  node->listed = true;
  auto& kids = node->children;
  if (kids.empty()) {
    if (names.empty()) return;
    beginInsertRows(at, 0, int(names.size()) - 1);
    for (const std::string& name : names) kids.push_back(NewNode(node, name, int(kids.size())));
    endInsertRows();
    return;
  }
  for (int r = int(kids.size()) - 1; r >= 0; --r) {
    if (std::binary_search(names.begin(), names.end(), kids[size_t(r)]->name, FoldedLess)) continue;
    beginRemoveRows(at, r, r);
    kids.erase(kids.begin() + r);
    endRemoveRows();
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (i < kids.size() && kids[i]->name == names[i]) continue;
    beginInsertRows(at, int(i), int(i));
    kids.insert(kids.begin() + std::ptrdiff_t(i), NewNode(node, names[i], int(i)));
    for (size_t r = i; r < kids.size(); ++r) kids[r]->row = int(r);
    endInsertRows();
  }
  for (size_t r = 0; r < kids.size(); ++r) kids[r]->row = int(r);
}

FolderModel::Node* FolderModel::Child(Node* node, const std::string& name) {
  for (int pass = 0; pass < 2; ++pass) {
    if (!node->listed || pass == 1) List(node);
    for (const auto& c : node->children)
      if (c->name == name) return c.get();
  }
  return nullptr;
}

QModelIndex FolderModel::IndexOf(const std::string& path) {
  Node* node = top_->children.front().get();
  for (const std::string& level : PathLevels(path)) {
    node = Child(node, level);
    if (!node) return {};
  }
  return IndexOfNode(node);
}

void FolderModel::Refresh(const QModelIndex& index) {
  if (index.isValid()) List(NodeOf(index));
}

QModelIndex FolderModel::index(int row, int column, const QModelIndex& parent) const {
  const Node* node = NodeOf(parent);
  if (column != 0 || row < 0 || size_t(row) >= node->children.size()) return {};
  return createIndex(row, 0, node->children[size_t(row)].get());
}

QModelIndex FolderModel::parent(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  return IndexOfNode(NodeOf(index)->parent);
}

int FolderModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return int(NodeOf(parent)->children.size());
}

int FolderModel::columnCount(const QModelIndex&) const { return 1; }

QVariant FolderModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Node* node = NodeOf(index);
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return ShownText(node->name);
    default: return {};
  }
}

// A folder not listed yet may hold folders: the view offers to expand it, and the
// listing then tells.
bool FolderModel::hasChildren(const QModelIndex& parent) const {
  const Node* node = NodeOf(parent);
  return !node->listed || !node->children.empty();
}

bool FolderModel::canFetchMore(const QModelIndex& parent) const { return !NodeOf(parent)->listed; }

void FolderModel::fetchMore(const QModelIndex& parent) {
  Node* node = NodeOf(parent);
  if (!node->listed) List(node);
}

}  // namespace qm
