#pragma once
// Rules of the group strip, the thumbnail grid and the selection that need no
// widget: page and slot arithmetic, slot geometry inside pctWindow, which strip
// buttons and arrows show, and how a click changes the selection flags.
#include <cstdint>
#include <string>
#include <vector>

namespace grid {

constexpr int kSlotsPerPage = 16;
constexpr int kStripButtons = 8;

// Photo k (from 1) stands on page ((k - 1) div 16) + 1 in slot (k - 1) mod 16.
int PageOfPhoto(std::int32_t k);
int SlotOfPhoto(std::int32_t k);
// Slot s of page p shows photo (p - 1) x 16 + s + 1.
std::int32_t PhotoAtSlot(std::int32_t page, int slot);
// The slot that PhotoAtSlot turns back into photo k on page p; outside 0..15 when
// the photo stands on another page.
int SlotOnPage(std::int32_t k, std::int32_t page);
// Pages of n entries at sixteen a page, at least 1.
int PageCountFor(int n);
inline int SlotRow(int slot) { return slot / 4; }
inline int SlotColumn(int slot) { return slot % 4; }

// Pixel positions inside pctWindow.
constexpr int kThumbSize = 100;
constexpr int kFrameSize = 109;
constexpr int kNameWidth = 101;  // 1515 twips
constexpr int kNameHeight = 13;  // 195 twips
inline int ThumbLeft(int slot) { return 24 + 128 * SlotColumn(slot); }
inline int ThumbTop(int slot) { return 16 + 112 * SlotRow(slot); }
inline int NameTop(int slot) { return 100 + 112 * SlotRow(slot); }
inline int FrameLeft(int slot) { return 20 + 128 * SlotColumn(slot); }
inline int FrameTop(int slot) { return 12 + 112 * SlotRow(slot); }

// The page a group of photoCount photos can show: within 1..its page count, so a
// shortened group never stays on a page past its end.
std::int32_t ClampPage(std::int32_t page, std::int32_t photoCount);
// A photo index that names a photo: within 1..photoCount, 0 for an empty group.
std::int32_t ClampPhotoIndex(std::int32_t index, std::int32_t photoCount);
inline bool IsPhotoIndex(std::int32_t index, std::int32_t photoCount) {
  return index >= 1 && index <= photoCount;
}

// The page a group reload shows: the page on show when the same group is loaded
// again (1 before any page was shown), else page 1; then clamped to the group.
std::int32_t PageForLoad(bool sameGroup, std::int32_t currentPage, std::int32_t photoCount);

// Strip window: button i shows entry top + i when it exists. A move down needs
// eight entries from the new top; a move up is always allowed while the top stays
// at 0 or more, so a strip left past the end by a removal can return.
bool CanScrollTo(int newTop, int top, int listCount);
bool UpArrowShown(int top);
bool DownArrowShown(int top, int listCount);
int VisibleButtonCount(int top, int listCount);

// The strip button whose group's list file is the one given, -1 when none of the
// shown buttons has it. Names compare exactly: two names that differ only in case
// are two list files, so two groups, on this file system.
int ButtonForGroup(const std::vector<std::string>& files, const std::string& file);

// Whether a group name is the all-photos group (case ignored).
bool IsAllPhotosGroup(const std::string& groupName);

// The selection of a loaded group: flags parallel to PhotoNames (entry 0 is the
// placeholder and never selected), their count, and the anchor of range selections.
struct Selection {
  std::vector<std::int32_t>& flags;
  std::int32_t& count;
  std::int32_t& anchor;
};

// Mouse modes: 0 click, 1 Shift range, 2 Ctrl toggle, 3 Shift+Ctrl or right click
// (add); other values change nothing. Index -1 or mode 0 clears first. Only
// photos 1..flags.size()-1 are ever set; other indices select nothing.
void ApplySelection(Selection sel, std::int32_t index, int mode);

}  // namespace grid
