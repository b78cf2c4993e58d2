#include "vcl/base/geometry.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Geometry, PlacedWithinKeepsToTheAreaAndNeverOverflows) {
    // Past the right and bottom edges: moved back; before the left and top: moved on.
    EXPECT_EQ(PlacedWithin({950, 700}, {100, 50}, Rect(0, 0, 1000, 720)),
              Rect(900, 670, 1000, 720));
    EXPECT_EQ(PlacedWithin({-30, -5}, {100, 50}, Rect(0, 0, 1000, 720)), Rect(0, 0, 100, 50));
    EXPECT_EQ(PlacedWithin({INT_MAX, INT_MIN}, {100, 50}, Rect(0, 0, 1000, 720)),
              Rect(900, 0, 1000, 50));

    // Areas and sizes at the ends of the range: the far edge is cut at the range's end.
    EXPECT_EQ(PlacedWithin({0, 0}, {100, 100}, Rect(INT_MAX - 10, INT_MIN, INT_MAX, INT_MIN + 5)),
              Rect(INT_MAX - 10, INT_MIN, INT_MAX, INT_MIN + 100));
    EXPECT_EQ(PlacedWithin({INT_MAX, INT_MAX}, {INT_MAX, INT_MAX},
                           Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)),
              Rect(0, 0, INT_MAX, INT_MAX));
    EXPECT_EQ(PlacedWithin({5, 5}, {INT_MIN, INT_MIN}, Rect(INT_MIN, INT_MIN, 10, 10)),
              Rect(5, 5, INT_MIN + 5, INT_MIN + 5));
}
