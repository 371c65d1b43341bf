// Work that a window's first paint does not need waits until just after it: a user sees
// the window first, then the rest arrives.
#pragma once

#include <functional>

class QWidget;

namespace rq {

// Runs `then` once, soon after `window` has painted for the first time (not at all when
// the window goes first).
void afterFirstPaint(QWidget* window, std::function<void()> then);

}  // namespace rq
