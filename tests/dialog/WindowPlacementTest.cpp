// Where the enlarged picture opens beside the dialog, on a screen of 1600 x 1000.
#include "dialog/WindowPlacement.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(WindowPlacementTest, BesideTheDialogWhereTheScreenHasRoomElseOverItsRightPartAtHalfSize) {
  const ScreenRect screen = {0, 0, 1600, 1000};
  const struct {
    ScreenRect dialog;
    int width, height;
    ScreenRect placed;
  } cases[] = {
      {{0, 100, 1100, 800}, 480, 400, {1100, 100, 1580, 500}},    // room on the right
      {{500, 100, 1600, 800}, 480, 400, {20, 100, 500, 500}},     // on the left alone
      {{246, 153, 1353, 847}, 960, 600, {1120, 153, 1600, 453}},  // on neither: half size
      {{246, 153, 1353, 847}, 400, 300, {1353, 153, 1600, 338}},  // nearly: as large as the room
      {{0, 700, 1000, 990}, 500, 600, {1000, 400, 1500, 1000}},   // up as far as the screen needs
      {{0, 0, 100, 100}, 3000, 2000, {100, 0, 1600, 937}},        // the screen's, then the room's
  };
  for (const auto& c : cases) {
    const ScreenRect placed = PlaceBeside(c.dialog, screen, c.width, c.height);
    EXPECT_EQ(std::tie(placed.left, placed.top, placed.right, placed.bottom),
              std::tie(c.placed.left, c.placed.top, c.placed.right, c.placed.bottom))
        << c.width << " x " << c.height << " beside " << c.dialog.left << ".." << c.dialog.right;
  }
}

}  // namespace
