#include "core/reorder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/grid_rules.h"

namespace drag {

bool DragGoesOn(bool dragging, float dx, float dy) {
  return dragging || std::fabs(dx) > float(kStartTwips) || std::fabs(dy) > float(kStartTwips);
}

Landing LandAt(int px, int py, int width, int height, std::int32_t page, std::int32_t photoCount) {
  Landing l;
  l.page = grid::ClampPage(page, photoCount);
  const double cellWidth = width / 4.0, cellHeight = height / 4.0;
  int row = int(std::floor(py / cellHeight));
  // Left or right of the grid counts as its first or last column, so a pointer
  // beside the top row never turns the page back.
  const int column = std::clamp(int(std::floor(px / cellWidth)), 0, 3);
  const bool besideArea = px <= -15;
  int slot = std::min(row, 3) * 4 + column;
  if (row > 3 && photoCount > grid::kSlotsPerPage && !besideArea) {
    if (l.page < grid::PageCountFor(photoCount)) ++l.page;
    slot = (row % 4) * 4 + column;  // the first row below the grid maps to the top row
  } else if (row > 3) {
    slot = grid::kSlotsPerPage - 1;  // the last photo, after the limit below
  } else if (row < 0) {
    if (l.page > 1 && !besideArea) {
      --l.page;
      slot = std::max(row + 4, 0) * 4 + column;  // the first row above maps to the bottom row
    } else {
      slot = 0;
    }
  }
  const std::int32_t first = grid::PhotoAtSlot(l.page, 0);
  const int last = int(std::min<std::int32_t>(photoCount - first, grid::kSlotsPerPage - 1));
  if (last < 0) return l;
  slot = std::min(slot, last);
  l.slot = slot;
  const int thumbLeft = grid::ThumbLeft(slot);
  const std::int32_t k = first + slot;
  const bool before = px - thumbLeft < grid::kThumbSize / 2;
  l.dropPosition = before ? -k : k;
  l.markerLeft = before ? thumbLeft - 15 : thumbLeft + 113;
  l.markerTop = grid::ThumbTop(slot);
  return l;
}

std::int32_t InsertAfter(std::int32_t dropPosition) {
  return dropPosition < 0 ? -dropPosition - 1 : dropPosition;
}

std::vector<std::string> ReorderedGroup(const std::vector<std::string>& names,
                                        const std::vector<std::int32_t>& flags, std::int32_t dropPosition) {
  const size_t n = names.empty() ? 0 : names.size() - 1;
  auto selected = [&](size_t i) { return i < flags.size() && flags[i] == 1; };
  std::vector<std::string> block;
  for (size_t i = 1; i <= n; ++i)
    if (selected(i)) block.push_back(names[i]);
  // A place past the end (a list shorter than the grid showed) puts the block last.
  const size_t after = std::min<size_t>(size_t(std::max<std::int32_t>(InsertAfter(dropPosition), 0)), n);
  std::vector<std::string> out;
  out.reserve(n);
  if (after == 0) out.insert(out.end(), block.begin(), block.end());
  for (size_t i = 1; i <= n; ++i) {
    if (!selected(i)) out.push_back(names[i]);
    if (i == after) out.insert(out.end(), block.begin(), block.end());
  }
  return out;
}

bool SameEntries(const std::vector<std::string>& lines, const std::vector<std::string>& names) {
  return !names.empty() && lines.size() == names.size() - 1 &&
         std::equal(lines.begin(), lines.end(), names.begin() + 1);
}

}  // namespace drag
