#include "rooms/rooms_alike.h"

#include <iterator>
#include <utility>

namespace rq {

RoomsAlike::RoomsAlike(const std::vector<RoomRecord>& rooms)
{
    m_order.reserve(rooms.size());
    for (const RoomRecord& room : rooms)
        add(room);
}

void RoomsAlike::push_back(RoomRecord room)
{
    add(room);
    if (m_distinct.back() == &room)  // a new one: kept here, where it will stay
        m_distinct.back() = &m_kept.emplace_back(std::move(room));
}

void RoomsAlike::add(const RoomRecord& room)
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
    m_distinct.push_back(&room);
    m_order.push_back(number);
}

std::vector<RoomRecord> RoomsAlike::TakeAll() &&
{
    std::vector<RoomRecord> rooms;
    // Rooms all added one by one and no two alike are kept here in order, and move.
    if (m_kept.size() == m_order.size()) {
        rooms.assign(std::make_move_iterator(m_kept.begin()), std::make_move_iterator(m_kept.end()));
    } else {
        rooms.reserve(m_order.size());
        for (const std::uint32_t number : m_order)
            rooms.push_back(*m_distinct[number]);
    }
    *this = RoomsAlike();  // a long list is not held twice
    return rooms;
}

}  // namespace rq
