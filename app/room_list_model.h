// The room list of the main window as a table: six text columns, one row per room. Every
// change goes through the core room list first, then the view is told what moved.
#pragma once

#include <QAbstractTableModel>
#include <optional>

#include "rooms/room_list.h"

namespace rq {

class RoomListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The widths of all columns but the last, in pixels, as the form lays them out but for
    // "门的扇数": it gives 8 pixels to "墙面数", which takes whatever the list leaves, so that
    // its heading stays whole beside the rows' scroll bar and no bar appears for the columns.
    static constexpr int kColumnWidths[kRoomColumnCount - 1] = { 120, 120, 120, 120, 72 };

    explicit RoomListModel(RoomList& rooms, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The operations of RoomList, announced to the views.
    std::optional<Text> addRoom(RoomRecord& entry);
    bool modifySelectedRoom(const RoomRecord& entry);
    bool deleteSelectedRoom();
    void replaceRooms(std::vector<RoomRecord> rooms);

private:
    RoomList& m_rooms;
};

}  // namespace rq
