#include "app/room_list_model.h"

#include <QCoreApplication>

#include "qtcore/qt_text.h"

namespace rq {

namespace {

constexpr const char* kColumnHeadings[kRoomColumnCount] = {
    QT_TRANSLATE_NOOP("RoomListModel", "房屋类型"),
    QT_TRANSLATE_NOOP("RoomListModel", "房间长宽高"),
    QT_TRANSLATE_NOOP("RoomListModel", "窗户长高"),
    QT_TRANSLATE_NOOP("RoomListModel", "门的类型"),
    QT_TRANSLATE_NOOP("RoomListModel", "门的扇数"),
    QT_TRANSLATE_NOOP("RoomListModel", "墙面数"),
};

}  // namespace

RoomListModel::RoomListModel(RoomList& rooms, QObject* parent) : QAbstractTableModel(parent), m_rooms(rooms) {}

void RoomListModel::replaceRooms(std::vector<RoomRecord> rooms)
{
    beginResetModel();
    m_rooms.ReplaceRooms(std::move(rooms));
    endResetModel();
}

int RoomListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rooms.rowCount(); }

int RoomListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kRoomColumnCount; }

QVariant RoomListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    return toQString(m_rooms.room(index.row()).cells[static_cast<std::size_t>(index.column())]);
}

QVariant RoomListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kRoomColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QCoreApplication::translate("RoomListModel", kColumnHeadings[section]);
}

std::optional<Text> RoomListModel::addRoom(RoomRecord& entry)
{
    // The check runs first so that a refused room never shows up as an empty row.
    if (auto message = CheckRoomForAdd(entry))
        return message;
    const int row = m_rooms.rowCount();
    beginInsertRows({}, row, row);
    auto message = m_rooms.AddRoom(entry);
    endInsertRows();
    return message;
}

bool RoomListModel::modifySelectedRoom(const RoomRecord& entry)
{
    const int row = m_rooms.selectedRow();
    if (!m_rooms.ModifySelectedRoom(entry))
        return false;
    Q_EMIT dataChanged(index(row, 0), index(row, kRoomColumnCount - 1));
    return true;
}

bool RoomListModel::deleteSelectedRoom()
{
    const int row = m_rooms.selectedRow();
    if (row < 0)
        return false;
    // By row: a view may drop its selection while the removal is announced.
    beginRemoveRows({}, row, row);
    m_rooms.DeleteRoom(row);
    endRemoveRows();
    return true;
}

}  // namespace rq
