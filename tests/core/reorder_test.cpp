// Where a dragged block lands and the list it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/reorder.h"

namespace {

using Names = std::vector<std::string>;

Names Reordered(const std::vector<int>& selected, std::int32_t drop) {
  Names names{"", "A", "B", "C", "D", "E"};
  std::vector<std::int32_t> flags(names.size(), 0);
  for (int k : selected) flags[size_t(k)] = 1;
  return drag::ReorderedGroup(names, flags, drop);
}

TEST(Reorder, TheBlockMovesWholeAndNothingIsLostOrDoubled) {
  EXPECT_EQ(Reordered({2, 4}, -5), (Names{"A", "C", "B", "D", "E"}));
  EXPECT_EQ(Reordered({2, 4}, 1), (Names{"A", "B", "D", "C", "E"}));
  EXPECT_EQ(Reordered({2, 4}, -1), (Names{"B", "D", "A", "C", "E"}));
  EXPECT_EQ(Reordered({2, 4}, 4), (Names{"A", "C", "B", "D", "E"}));  // after one of its own
  EXPECT_EQ(Reordered({1}, 9), (Names{"B", "C", "D", "E", "A"}));     // past the end: last
  // Longer than a 16-bit count, with names listed twice.
  Names names{""};
  for (int i = 1; i <= 40000; ++i) names.push_back("p" + std::to_string(i % 39000));
  std::vector<std::int32_t> flags(names.size(), 0);
  flags[39999] = flags[40000] = flags[2] = 1;
  Names out = drag::ReorderedGroup(names, flags, -35000);
  EXPECT_EQ(Names(out.begin() + 34998, out.begin() + 35001), (Names{"p2", "p999", "p1000"}));
  std::sort(out.begin(), out.end());
  std::sort(names.begin() + 1, names.end());
  EXPECT_EQ(out, Names(names.begin() + 1, names.end()));
}

// The viewing area's design size: cells of 136.25 x 117.25 pixels.
drag::Landing At(int px, int py, std::int32_t page, std::int32_t count) {
  return drag::LandAt(px, py, 545, 469, page, count);
}

TEST(Reorder, PlacesAtAndBeyondTheGridsEdges) {
  EXPECT_EQ(At(300, 300, 2, 20).dropPosition, -20);  // past the last photo: at it
  EXPECT_EQ(At(30, 475, 1, 16).dropPosition, -16);    // below sixteen photos: the last
  EXPECT_EQ(At(450, 475, 1, 18).slot, 1);             // turned to a shorter page
  EXPECT_EQ(At(450, 475, 2, 22).page, 2);             // the last page turns no further
  EXPECT_EQ(At(300, -3, 1, 22).slot, 0);              // above page 1
  EXPECT_EQ(At(300, -900, 3, 40).slot, 2);            // far above: the top row of the page before
  EXPECT_EQ(At(-5, 10, 2, 20).page, 2);               // just left of the top row: no turn back
  EXPECT_EQ(At(-20, 475, 1, 40).page, 1);             // left of the area: no turn
  EXPECT_EQ(At(10, 10, 1, 0).slot, -1);               // an empty group has no place
}

}  // namespace
