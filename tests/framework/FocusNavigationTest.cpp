// Where Tab, Home, End and the arrows move the keyboard focus, on layouts of every shape.
#include "framework/FocusNavigation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TRect Cell(int Column, int Row) {
  return Bounds(20 + Column * 120, 20 + Row * 40, 100, 30);
}

TEST(FocusNavigationTest, TheFirstMoveChoosesAnEndOfTheOrder) {
  const std::vector<TRect> Places = {Cell(0, 0), Cell(0, 1), Cell(0, 2)};
  EXPECT_EQ(FocusTarget(Places, -1, TFocusMove::fmNext), 0);
  EXPECT_EQ(FocusTarget(Places, -1, TFocusMove::fmFirst), 0);
  EXPECT_EQ(FocusTarget(Places, -1, TFocusMove::fmDown), 0);
  EXPECT_EQ(FocusTarget(Places, -1, TFocusMove::fmUp), 0);
  EXPECT_EQ(FocusTarget(Places, -1, TFocusMove::fmPrevious), 2);
  EXPECT_EQ(FocusTarget(Places, -1, TFocusMove::fmLast), 2);
  EXPECT_EQ(FocusTarget({}, -1, TFocusMove::fmNext), -1);
}

TEST(FocusNavigationTest, TabAndShiftTabWrapInOrderWhateverThePlaces) {
  // Order, not place, counts: the second entry lies above the first.
  const std::vector<TRect> Places = {Cell(0, 2), Cell(0, 0), Cell(1, 1)};
  EXPECT_EQ(FocusTarget(Places, 0, TFocusMove::fmNext), 1);
  EXPECT_EQ(FocusTarget(Places, 2, TFocusMove::fmNext), 0);
  EXPECT_EQ(FocusTarget(Places, 0, TFocusMove::fmPrevious), 2);
  EXPECT_EQ(FocusTarget(Places, 1, TFocusMove::fmFirst), 0);
  EXPECT_EQ(FocusTarget(Places, 1, TFocusMove::fmLast), 2);
  EXPECT_EQ(FocusTarget({Cell(0, 0)}, 0, TFocusMove::fmNext), 0);
}

TEST(FocusNavigationTest, ArrowsInAColumnAndARowStopAtTheEnds) {
  const std::vector<TRect> Column = {Cell(0, 0), Cell(0, 1), Cell(0, 2)};
  EXPECT_EQ(FocusTarget(Column, 0, TFocusMove::fmDown), 1);
  EXPECT_EQ(FocusTarget(Column, 1, TFocusMove::fmDown), 2);
  EXPECT_EQ(FocusTarget(Column, 2, TFocusMove::fmDown), 2) << "nothing below: the focus stays";
  EXPECT_EQ(FocusTarget(Column, 2, TFocusMove::fmUp), 1);
  EXPECT_EQ(FocusTarget(Column, 1, TFocusMove::fmLeft), 1);
  EXPECT_EQ(FocusTarget(Column, 1, TFocusMove::fmRight), 1);

  const std::vector<TRect> Row = {Cell(2, 0), Cell(0, 0), Cell(1, 0)};
  EXPECT_EQ(FocusTarget(Row, 1, TFocusMove::fmRight), 2);
  EXPECT_EQ(FocusTarget(Row, 2, TFocusMove::fmRight), 0);
  EXPECT_EQ(FocusTarget(Row, 0, TFocusMove::fmLeft), 2);
  EXPECT_EQ(FocusTarget(Row, 1, TFocusMove::fmLeft), 1);
}

TEST(FocusNavigationTest, AGridWithHolesGoesToTheNearestWithinFortyFiveDegrees) {
  //   A . C
  //   . E .
  //   G . I
  const std::vector<TRect> Places = {Cell(0, 0), Cell(2, 0), Cell(1, 1), Cell(0, 2), Cell(2, 2)};
  enum { A, C, E, G, I };
  // Straight down from A, G is 80 pixels away and E lies at 71 degrees from the arrow: too far
  // round, however near.
  EXPECT_EQ(FocusTarget(Places, A, TFocusMove::fmDown), G);
  // Right from A, E lies 18 degrees off and nearer than C.
  EXPECT_EQ(FocusTarget(Places, A, TFocusMove::fmRight), E);
  EXPECT_EQ(FocusTarget(Places, E, TFocusMove::fmRight), C);
  EXPECT_EQ(FocusTarget(Places, E, TFocusMove::fmUp), E) << "A and C lie 72 degrees off";
  EXPECT_EQ(FocusTarget(Places, I, TFocusMove::fmLeft), E);
  EXPECT_EQ(FocusTarget(Places, I, TFocusMove::fmUp), C);
}

TEST(FocusNavigationTest, TheEdgeOfTheConeCountsAndTiesGoToTheEarlierEntry) {
  const TRect From = Bounds(100, 100, 20, 20);
  // Both exactly 45 degrees off the arrow and equally far.
  const std::vector<TRect> Diagonal = {From, Bounds(150, 150, 20, 20), Bounds(150, 50, 20, 20)};
  EXPECT_EQ(FocusTarget(Diagonal, 0, TFocusMove::fmRight), 1);
  const std::vector<TRect> Swapped = {From, Bounds(150, 50, 20, 20), Bounds(150, 150, 20, 20)};
  EXPECT_EQ(FocusTarget(Swapped, 0, TFocusMove::fmRight), 1);
  // One pixel beyond 45 degrees is out.
  EXPECT_EQ(FocusTarget({From, Bounds(150, 151, 20, 20)}, 0, TFocusMove::fmRight), 0);
  // Nearer wins over straighter.
  EXPECT_EQ(FocusTarget({From, Bounds(300, 100, 20, 20), Bounds(140, 130, 20, 20)}, 0,
                        TFocusMove::fmRight),
            2);
}

TEST(FocusNavigationTest, PlacesFarApartDoNotOverflow) {
  const std::vector<TRect> Places = {Bounds(-16000000, 0, 10, 10), Bounds(16000000, 0, 10, 10)};
  EXPECT_EQ(FocusTarget(Places, 0, TFocusMove::fmRight), 1);
  EXPECT_EQ(FocusTarget(Places, 1, TFocusMove::fmLeft), 0);
}

}  // namespace
