#include "core/grid_rules.h"

#include <algorithm>

#include "core/modquillmont.h"
#include "platform/files.h"

namespace grid {

int PageOfPhoto(std::int32_t k) { return int((k - 1) / kSlotsPerPage) + 1; }

int SlotOfPhoto(std::int32_t k) { return int((k - 1) % kSlotsPerPage); }

std::int32_t PhotoAtSlot(std::int32_t page, int slot) { return (page - 1) * kSlotsPerPage + slot + 1; }

int SlotOnPage(std::int32_t k, std::int32_t page) { return int(k - PhotoAtSlot(page, 0)); }

int PageCountFor(int n) { return n <= 0 ? 1 : (n - 1) / kSlotsPerPage + 1; }

std::int32_t ClampPage(std::int32_t page, std::int32_t photoCount) {
  return std::clamp(page, 1, PageCountFor(photoCount));
}

std::int32_t ClampPhotoIndex(std::int32_t index, std::int32_t photoCount) {
  if (photoCount < 1) return 0;
  return std::clamp(index, 1, photoCount);
}

std::int32_t PageForLoad(bool sameGroup, std::int32_t currentPage, std::int32_t photoCount) {
  std::int32_t page = 1;
  if (sameGroup && currentPage != 0) page = currentPage;
  return ClampPage(page, photoCount);
}

bool CanScrollTo(int newTop, int top, int listCount) {
  return newTop >= 0 && (newTop < top || newTop <= listCount - kStripButtons);
}

bool UpArrowShown(int top) { return top >= 1; }

bool DownArrowShown(int top, int listCount) { return listCount > top + kStripButtons; }

int VisibleButtonCount(int top, int listCount) { return std::clamp(listCount - top, 0, kStripButtons); }

int ButtonForGroup(const std::vector<std::string>& files, const std::string& file) {
  const auto at = std::find(files.begin(), files.end(), file);
  return at == files.end() ? -1 : int(at - files.begin());
}

bool IsAllPhotosGroup(const std::string& groupName) { return qm::EqualsNoCase(groupName, kAllPhotosGroup); }

void ApplySelection(Selection sel, std::int32_t index, int mode) {
  auto& flags = sel.flags;
  const std::int32_t last = std::int32_t(flags.size()) - 1;
  if (index == -1 || mode == 0) {
    std::fill(flags.begin(), flags.end(), 0);
    sel.anchor = 0;
  }
  // Entry 0 is the placeholder of no photo, and a press past the end names none.
  const bool photo = IsPhotoIndex(index, last);
  switch (mode) {
    case 0:
    case 2:
      if (photo) {
        flags[size_t(index)] = flags[size_t(index)] == 1 ? 0 : 1;
        sel.anchor = index;
      }
      break;
    case 3:
      if (photo) {
        flags[size_t(index)] = 1;
        sel.anchor = index;
      }
      break;
    case 1:
      if (photo) {
        const std::int32_t step = index > sel.anchor ? 1 : -1;
        // An anchor left from a longer group is walked from, but only photos of
        // this group are set.
        for (std::int32_t k = sel.anchor; k != index;) {
          k += step;
          if (IsPhotoIndex(k, last)) flags[size_t(k)] = 1;
        }
        sel.anchor = index;
      }
      break;
    default:
      break;
  }
  // Counted from the flags, so a group read without a clear never leaves a stale count.
  sel.count = std::int32_t(std::count(flags.begin() + (flags.empty() ? 0 : 1), flags.end(), 1));
}

}  // namespace grid
