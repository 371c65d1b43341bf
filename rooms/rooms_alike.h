// A long list of rooms with the rooms alike kept once. A block of flats repeats a few room
// sizes thousands of times: its list holds each distinct room once and a number per room,
// and its quote prices each distinct room once.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "rooms/room_record.h"

namespace rq {

class RoomsAlike {
public:
    // Rooms are compared with the first this many distinct ones; a room unlike all of them
    // is kept as it comes.
    static constexpr std::size_t kMostCompared = 4096;

    RoomsAlike() = default;
    // The rooms of `rooms`, which must outlive this list: they are referred to, not copied.
    explicit RoomsAlike(const std::vector<RoomRecord>& rooms);
    RoomsAlike(RoomsAlike&&) = default;
    RoomsAlike& operator=(RoomsAlike&&) = default;

    void reserve(std::size_t rooms) { m_order.reserve(rooms); }
    // Adds a room kept by the list.
    void push_back(RoomRecord room);

    std::size_t size() const { return m_order.size(); }
    bool empty() const { return m_order.empty(); }
    const RoomRecord& operator[](std::size_t room) const { return *m_distinct[m_order[room]]; }
    // The number room `room` shares with every room alike, below kMostCompared; -1 for a
    // room that was not compared.
    int alike(std::size_t room) const
    {
        return m_order[room] < kMostCompared ? static_cast<int>(m_order[room]) : -1;
    }

    // Every room in order, the list given up.
    std::vector<RoomRecord> TakeAll() &&;

private:
    // Numbers `room` as the room alike it is, or as a new one.
    void add(const RoomRecord& room);

    std::deque<RoomRecord> m_kept;  // the rooms added one by one: a deque never moves them
    std::vector<const RoomRecord*> m_distinct;
    std::vector<std::uint32_t> m_order;  // into m_distinct
    std::unordered_map<std::string, std::uint32_t> m_numbers;  // the compared rooms by their texts
    std::string m_key;
};

}  // namespace rq
