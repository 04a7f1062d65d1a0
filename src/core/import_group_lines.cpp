#include "core/import_group_lines.h"

#include "core/errorlog.h"
#include "platform/runtime_error.h"

ImportGroupLines::ImportGroupLines(std::vector<Target> targets) {
  for (Target& t : targets) {
    List list;
    list.target = std::move(t);
    lists_.push_back(std::move(list));
  }
}

void ImportGroupLines::Fail(List& list, const std::string& reason) {
  list.failed = true;
  list.pending = false;
  failures_.push_back({list.target.group, reason});
}

void ImportGroupLines::Add(const std::string& photoName) {
  Keep();
  for (List& list : lists_) {
    if (list.failed) continue;
    try {
      // Opened at the run's first line, so a run that lists nothing makes no list.
      if (!list.file) {
        list.file = std::make_unique<qm::AppendFile>(list.target.file);
        list.atStart = list.file->Size();
      }
      list.beforePending = list.file->Size();
      list.file->Append({photoName});
      list.pending = true;
    } catch (const qm::RuntimeError& e) {
      Fail(list, e.Description());
    }
  }
}

void ImportGroupLines::Keep() {
  for (List& list : lists_) list.pending = false;
}

void ImportGroupLines::TakeBack() {
  for (List& list : lists_)
    if (list.pending) CutBack(list, list.beforePending);
  Keep();
}

void ImportGroupLines::TakeBackAll() {
  for (List& list : lists_)
    if (list.file) CutBack(list, list.atStart);
  Keep();
}

void ImportGroupLines::Close() {
  for (List& list : lists_) {
    if (!list.file) continue;
    try {
      list.file->Close();
    } catch (const qm::RuntimeError& e) {
      if (!list.failed) Fail(list, e.Description());
    }
    list.file.reset();
  }
}

void ImportGroupLines::CutBack(const List& list, std::int64_t size) {
  try {
    list.file->CutBack(size);
  } catch (const qm::RuntimeError& e) {
    // The line stays; the start drops it when its photo never came.
    LogError("ImportGroupLines", "A line could not be taken back from " + list.target.file + ": " + e.Description());
  }
}
