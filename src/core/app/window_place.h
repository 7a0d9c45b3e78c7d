#pragma once

// Where the main window opens. The place and size kept in config.ini may be anything a hand or
// another desktop left there: a window opened off every screen, or with a size no screen can
// show, could not be reached to be moved back.

#include <vector>

namespace ranvo {

struct WindowRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;

    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// `screens` are the desktop's screens (the part windows may use), the primary one first; `saved`
// is the window's kept place and size, and `rememberPosition` whether its place counts. The saved
// size is kept when it is at least 100 by 50 pixels and fits on the largest screen, else the
// first-run size is taken (made smaller where the primary screen is). The saved place is kept when
// it counts and the window's top edge then lies on a screen, far enough for its title bar to be
// grabbed; otherwise the window is centred on the primary screen.
[[nodiscard]] WindowRect StartingWindowRect(const std::vector<WindowRect>& screens,
                                            const WindowRect& saved, bool rememberPosition);

} // namespace ranvo
