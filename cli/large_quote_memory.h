// Memory for a quote of many thousand rooms, which writes its rows into tens of megabytes
// of fresh memory at once.
#pragma once

#include <cstddef>

namespace rq::cli {

// Room lists up to this size are quoted in the heap as it is: a flat's quote takes a few
// milliseconds, and setting up large pages would cost it more than it saves.
inline constexpr std::size_t kLargeRoomListBytes = 64 * 1024; // about 1,500 rooms

// Every first touch of a 4 KiB page costs the kernel's time, on a virtual machine several
// microseconds: a third of a 10,000-room quote went on it. So from here on the heap grows
// in large steps, keeps what it has, and is marked for the kernel's 2 MiB pages, which it
// hands out on request. Under another allocator, or with large pages switched off, nothing
// changes but the speed.
void PrepareHeapForLargeQuote();

} // namespace rq::cli
