#include "rooms/rooms_alike.h"

#include <utility>

namespace rq {

RoomsAlike::RoomsAlike(const std::vector<RoomRecord>& rooms)
{
    m_order.reserve(rooms.size());
    for (const RoomRecord& room : rooms)
        push_back(room);
}

void RoomsAlike::push_back(RoomRecord room)
{
    // Each text led by its length, so that no two rooms share a key.
    m_key.clear();
    for (const Text& cell : room.cells) {
        const auto size = static_cast<std::uint32_t>(cell.size());
        m_key.append(reinterpret_cast<const char*>(&size), sizeof size).append(cell);
    }
    if (const auto known = m_numbers.find(m_key); known != m_numbers.end()) {
        m_order.push_back(known->second);
        return;
    }
    const auto number = static_cast<std::uint32_t>(m_distinct.size());
    if (m_numbers.size() < kMostCompared)
        m_numbers.emplace(m_key, number);
    m_distinct.push_back(std::move(room));
    m_order.push_back(number);
}

std::vector<RoomRecord> RoomsAlike::TakeAll() &&
{
    if (m_distinct.size() == m_order.size())
        return std::move(m_distinct);  // no two alike: already in order
    std::vector<RoomRecord> rooms;
    rooms.reserve(m_order.size());
    for (const std::uint32_t number : m_order)
        rooms.push_back(m_distinct[number]);
    return rooms;
}

}  // namespace rq
