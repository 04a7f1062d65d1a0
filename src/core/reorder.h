#pragma once
// Dragging thumbnails, apart from the widgets: when a press becomes a drag, where
// a pointer over the grid lands (page turns at the edges included), and the list
// of the loaded group with the dragged photos moved as one block.
#include <cstdint>
#include <string>
#include <vector>

namespace drag {

// A drag begins once the pointer is more than this many twips from the press,
// across or down, and then goes on whatever the distance.
constexpr int kStartTwips = 200;
bool DragGoesOn(bool dragging, float dx, float dy);

// Where the block would go for a pointer at (px, py) in the viewing area's pixels
// (width x height), page `page` of a group of photoCount photos on show.
struct Landing {
  std::int32_t page = 1;        // the page to show: the one on show, or a turn
  int slot = -1;                // the marked thumbnail; -1 when the group is empty
  std::int32_t dropPosition = 0;  // -k before photo k, +k after it, 0 nowhere
  int markerLeft = 0;           // the insertion marker, in the gap before or after
  int markerTop = 0;
};
Landing LandAt(int px, int py, int width, int height, std::int32_t page, std::int32_t photoCount);

// The photo after which the block goes (0: at the top).
std::int32_t InsertAfter(std::int32_t dropPosition);

// The lines of a group (names with the placeholder entry 0, flags parallel) with
// its selected entries moved as one block, in their order, to after photo
// InsertAfter(dropPosition). Every entry is kept exactly once.
std::vector<std::string> ReorderedGroup(const std::vector<std::string>& names,
                                        const std::vector<std::int32_t>& flags, std::int32_t dropPosition);

// Whether the lines of a list file are the entries 1.. of names.
bool SameEntries(const std::vector<std::string>& lines, const std::vector<std::string>& names);

}  // namespace drag
