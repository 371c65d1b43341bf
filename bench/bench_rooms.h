// A dwelling far larger than any real one, for the benchmarks: the seven room types in
// turn, with the sizes, windows and doors of an ordinary flat.
#pragma once

#include <iterator>
#include <vector>

#include "rooms/room_record.h"

namespace rq::bench {

inline std::vector<RoomRecord> MixedRooms(int count)
{
    const RoomRecord kinds[] = {
        {{"客厅", "4500*3600*2800", "1500*1500", "(无)", "0", "4"}},
        {{"餐厅", "3200*2800*2920", "800*1500", "实木门", "1", "4"}},
        {{"厨房", "2400*1800*2800", "800*1500", "推拉门", "1", "4"}},
        {{"卧室", "4000*3500*2800", "1500*1500", "实木门", "1", "4"}},
        {{"卫生间", "2000*1500*2800", "600*1000", "塑钢门", "1", "4"}},
        {{"书房", "3000*3000*2800", "1200*1500", "原木门", "1", "3"}},
        {{"阳台", "3000*1500*2800", "0*0", "推拉门", "2", "1"}},
    };
    std::vector<RoomRecord> rooms;
    rooms.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        rooms.push_back(kinds[static_cast<std::size_t>(i) % std::size(kinds)]);
    return rooms;
}

}  // namespace rq::bench
