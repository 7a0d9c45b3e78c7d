#include "core/app/window_place.h"

#include <gtest/gtest.h>

#include <limits>

namespace ranvo {
namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();
const std::vector<WindowRect> kTwoScreens{{0, 0, 1920, 1040}, {1920, -200, 1280, 1024}};

TEST(WindowPlace, AKeptPlaceOnAnyScreenIsKept) {
    for (const WindowRect kept : {WindowRect{246, 159, 696, 474}, WindowRect{2000, -150, 800, 600},
                                  WindowRect{-500, 10, 696, 474}}) { // its right end shows
        EXPECT_EQ(StartingWindowRect(kTwoScreens, kept, true), kept);
    }
}

TEST(WindowPlace, AWindowNoOneCouldReachIsCentredOnThePrimaryScreen) {
    // Off every screen, the title bar above the top, a place between the screens' heights, and
    // the int's ends (whose sums with the size would overflow).
    for (const WindowRect kept : {WindowRect{5000, 5000, 696, 474}, WindowRect{100, -20, 696, 474},
                                  WindowRect{1920, 900, 696, 474}, WindowRect{kMin, kMin, 696, 474},
                                  WindowRect{kMax - 10, 100, 696, 474}}) {
        EXPECT_EQ(StartingWindowRect(kTwoScreens, kept, true), (WindowRect{612, 283, 696, 474}));
    }
    // A size only a larger second screen holds shrinks to the primary screen it is centred on.
    const std::vector<WindowRect> smallPrimary{{0, 0, 1366, 768}, {1366, 0, 2560, 1440}};
    EXPECT_EQ(StartingWindowRect(smallPrimary, {5000, 5000, 2000, 1200}, true),
              (WindowRect{0, 0, 1366, 768}));
    // A place that does not count is centred as well.
    EXPECT_EQ(StartingWindowRect(kTwoScreens, {10, 10, 696, 474}, false),
              (WindowRect{612, 283, 696, 474}));
}

TEST(WindowPlace, AnAbsurdSizeGivesWayToTheFirstRunSize) {
    EXPECT_EQ(StartingWindowRect(kTwoScreens, {kMin, 0, kMax, kMax}, true),
              (WindowRect{612, 283, 696, 474}));
    EXPECT_EQ(StartingWindowRect(kTwoScreens, {10, 10, 0, -5}, true),
              (WindowRect{10, 10, 696, 474}));
    EXPECT_EQ(StartingWindowRect(kTwoScreens, {10, 10, 1921, 400}, true).Width, 696);
    // As large as the larger screen is fine; on a small screen the first-run size shrinks too.
    EXPECT_EQ(StartingWindowRect(kTwoScreens, {1920, -200, 1280, 1024}, true),
              (WindowRect{1920, -200, 1280, 1024}));
    EXPECT_EQ(StartingWindowRect({{0, 0, 640, 400}}, {0, 0, kMax, 300}, true),
              (WindowRect{0, 0, 640, 400}));
}

} // namespace
} // namespace ranvo
