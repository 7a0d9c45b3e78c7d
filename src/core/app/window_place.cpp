#include "core/app/window_place.h"

#include <algorithm>
#include <cstdint>

namespace ranvo {
namespace {

constexpr WindowRect kFirstRun{246, 159, 696, 474};
constexpr int kMinWidth = 100;
constexpr int kMinHeight = 50;
// How much of the top edge must lie on one screen: the height of a title bar, and as much of its
// width as a mouse can grab.
constexpr std::int64_t kTitleHeight = 30;
constexpr std::int64_t kGrabWidth = 100;

bool sizeFits(const std::vector<WindowRect>& screens, const WindowRect& saved) {
    if (saved.Width < kMinWidth || saved.Height < kMinHeight) {
        return false;
    }
    return screens.empty() ||
           std::any_of(screens.begin(), screens.end(), [&](const WindowRect& screen) {
               return saved.Width <= screen.Width && saved.Height <= screen.Height;
           });
}

// The top edge lies on `screen` for a title bar's height and a grab's width (or the whole width
// of a narrower window). Positions are added in 64 bits: a kept place may be near the int's ends.
bool topEdgeOn(const WindowRect& screen, const WindowRect& window) {
    const std::int64_t left = std::max<std::int64_t>(window.X, screen.X);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{window.X} + window.Width,
                                                      std::int64_t{screen.X} + screen.Width);
    const std::int64_t grab = std::min<std::int64_t>(kGrabWidth, window.Width);
    return right - left >= grab && window.Y >= screen.Y &&
           std::int64_t{window.Y} + kTitleHeight <= std::int64_t{screen.Y} + screen.Height;
}

} // namespace

WindowRect StartingWindowRect(const std::vector<WindowRect>& screens, const WindowRect& saved,
                              bool rememberPosition) {
    WindowRect window = saved;
    if (!sizeFits(screens, saved)) {
        window.Width = kFirstRun.Width;
        window.Height = kFirstRun.Height;
        if (!screens.empty()) {
            window.Width = std::min(window.Width, screens.front().Width);
            window.Height = std::min(window.Height, screens.front().Height);
        }
    }
    if (screens.empty()) {
        return rememberPosition ? window
                                : WindowRect{kFirstRun.X, kFirstRun.Y, window.Width, window.Height};
    }
    if (rememberPosition &&
        std::any_of(screens.begin(), screens.end(),
                    [&](const WindowRect& screen) { return topEdgeOn(screen, window); })) {
        return window;
    }
    // Centred on the primary screen, the window is no larger than it, so its title bar is on it.
    const WindowRect& primary = screens.front();
    window.Width = std::min(window.Width, primary.Width);
    window.Height = std::min(window.Height, primary.Height);
    window.X = static_cast<int>(primary.X + (std::int64_t{primary.Width} - window.Width) / 2);
    window.Y = static_cast<int>(primary.Y + (std::int64_t{primary.Height} - window.Height) / 2);
    return window;
}

} // namespace ranvo
