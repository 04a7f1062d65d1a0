// Where a dragged block lands and the list it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/reorder.h"

namespace {

using Names = std::vector<std::string>;

Names Reordered(const std::vector<int>& selected, std::int32_t drop, int n = 5) {
  Names names{""};
  for (int i = 0; i < n; ++i) names.push_back(std::string(1, char('A' + i)));
  std::vector<std::int32_t> flags(names.size(), 0);
  for (int k : selected) flags[size_t(k)] = 1;
  return drag::ReorderedGroup(names, flags, drop);
}

TEST(Reorder, TheBlockMovesWholeAndNothingIsLostOrDoubled) {
  EXPECT_EQ(Reordered({2, 4}, -5), (Names{"A", "C", "B", "D", "E"}));
  EXPECT_EQ(Reordered({2, 4}, 1), (Names{"A", "B", "D", "C", "E"}));
  EXPECT_EQ(Reordered({2, 4}, -1), (Names{"B", "D", "A", "C", "E"}));
  EXPECT_EQ(Reordered({2, 4}, 5), (Names{"A", "C", "E", "B", "D"}));
  // Dropped after one of its own photos, or with nothing selected: the rest keeps its order.
  EXPECT_EQ(Reordered({2, 4}, 4), (Names{"A", "C", "B", "D", "E"}));
  EXPECT_EQ(Reordered({}, -3), (Names{"A", "B", "C", "D", "E"}));
  // A place past the end of a shorter list, and flags shorter than the names.
  EXPECT_EQ(Reordered({1}, 9), (Names{"B", "C", "D", "E", "A"}));
  EXPECT_EQ(drag::ReorderedGroup({"", "A", "B", "C"}, {0, 0, 1}, -1), (Names{"B", "A", "C"}));
  // Longer than a 16-bit count, with names listed twice.
  const int n = 40000;
  Names names{""};
  for (int i = 1; i <= n; ++i) names.push_back("p" + std::to_string(i % 39000));
  std::vector<std::int32_t> flags(names.size(), 0);
  flags[39999] = flags[40000] = flags[2] = 1;
  const Names out = drag::ReorderedGroup(names, flags, -35000);
  ASSERT_EQ(out.size(), size_t(n));
  EXPECT_EQ(out[34998], "p2");
  EXPECT_EQ(out[34999], "p999");
  EXPECT_EQ(out[35000], "p1000");
  Names sortedOut = out, sortedIn(names.begin() + 1, names.end());
  std::sort(sortedOut.begin(), sortedOut.end());
  std::sort(sortedIn.begin(), sortedIn.end());
  EXPECT_EQ(sortedOut, sortedIn);
}

TEST(Reorder, ADragStartsPastTwoHundredTwipsAndThenGoesOn) {
  EXPECT_FALSE(drag::DragGoesOn(false, 200, -200));
  EXPECT_TRUE(drag::DragGoesOn(false, 201, 0));
  EXPECT_TRUE(drag::DragGoesOn(false, 0, -201));
  EXPECT_TRUE(drag::DragGoesOn(true, 0, 0));
}

// The viewing area's design size: cells of 136.25 x 117.25 pixels.
drag::Landing At(int px, int py, std::int32_t page, std::int32_t count) {
  return drag::LandAt(px, py, 545, 469, page, count);
}

TEST(Reorder, LandingInsideTheGridMarksTheGapBeforeOrAfter) {
  drag::Landing l = At(24 + 49, 16, 1, 20);  // left half of photo 1
  EXPECT_EQ(l.slot, 0);
  EXPECT_EQ(l.dropPosition, -1);
  EXPECT_EQ(l.markerLeft, 9);
  EXPECT_EQ(drag::InsertAfter(l.dropPosition), 0);
  l = At(152 + 50, 128, 1, 20);  // right half of slot 5
  EXPECT_EQ(l.slot, 5);
  EXPECT_EQ(l.dropPosition, 6);
  EXPECT_EQ(l.markerLeft, 265);
  EXPECT_EQ(l.markerTop, 128);
  EXPECT_EQ(At(300, 300, 2, 20).dropPosition, -20);  // past the last photo of page 2: at it
  EXPECT_EQ(At(10, 10, 1, 0).slot, -1);  // an empty group has no place
  EXPECT_EQ(At(-5, 10, 1, 20).slot, 0);  // beside the grid: its first column
}

TEST(Reorder, EdgesTurnThePage) {
  // Just below page 1 of 2: page 2, same column of its top row, or its last photo.
  drag::Landing l = At(300, 475, 1, 22);
  EXPECT_EQ(l.page, 2);
  EXPECT_EQ(l.slot, 2);
  EXPECT_EQ(At(450, 475, 1, 18).slot, 1);
  l = At(450, 475, 2, 22);  // the last page: no turn, same limit
  EXPECT_EQ(l.page, 2);
  EXPECT_EQ(l.slot, 3);
  // Just above page 2: page 1, bottom row; above page 1: slot 0.
  l = At(300, -3, 2, 22);
  EXPECT_EQ(l.page, 1);
  EXPECT_EQ(l.slot, 14);
  EXPECT_EQ(At(300, -3, 1, 22).slot, 0);
  EXPECT_EQ(At(300, -900, 3, 40).slot, 2);  // far above: the top row of the page before
  EXPECT_EQ(At(300, -3, 2, 22).page, 1);
  // Sixteen photos or fewer: below the grid is the last photo's place.
  l = At(30, 475, 1, 16);
  EXPECT_EQ(l.page, 1);
  EXPECT_EQ(l.dropPosition, -16);
  EXPECT_EQ(At(-20, 475, 1, 40).page, 1);  // left of the area nothing turns
}

}  // namespace
