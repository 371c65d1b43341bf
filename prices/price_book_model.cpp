#include "prices/price_book_model.h"

#include <QCoreApplication>

#include "qtcore/qt_text.h"

namespace rq {

PriceBookModel::PriceBookModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void PriceBookModel::setBook(PriceBook book)
{
    beginResetModel();
    m_book = std::move(book);
    endResetModel();
}

std::optional<Text> PriceBookModel::apply(const std::function<PriceEditResult(PriceBook&)>& edit)
{
    const PriceEditResult result = edit(m_book);
    if (result.problem)
        return result.problem;
    for (const PriceChange& change : result.changes) {
        const QModelIndex cell = index(static_cast<int>(change.index), Price);
        Q_EMIT dataChanged(cell, cell, { Qt::DisplayRole, Qt::EditRole });
    }
    if (!result.changes.empty())
        Q_EMIT bookEdited(result.changes);
    return std::nullopt;
}

int PriceBookModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_book.items().size());
}

int PriceBookModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PriceBookModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::TextAlignmentRole))
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == Price || index.column() == Level
            ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
            : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    const PriceItem& item = m_book.at(static_cast<std::size_t>(index.row()));
    switch (index.column()) {
    case Section:
        return toQString(item.section);
    case Item:
        return toQString(item.name);
    case Unit:
        return toQString(item.unit);
    case Level:
        return item.level == 0 ? QCoreApplication::translate("PriceBookModel", "各等级") : QString::number(item.level);
    case Price:
        return toQString(item.price);
    default:
        return {};
    }
}

QVariant PriceBookModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kHeads[ColumnCount] = { QT_TRANSLATE_NOOP("PriceBookModel", "分类"),
        QT_TRANSLATE_NOOP("PriceBookModel", "项目"), QT_TRANSLATE_NOOP("PriceBookModel", "单位"),
        QT_TRANSLATE_NOOP("PriceBookModel", "等级"), QT_TRANSLATE_NOOP("PriceBookModel", "单价") };
    return section >= 0 && section < ColumnCount ? QCoreApplication::translate("PriceBookModel", kHeads[section])
                                                 : QVariant();
}

Qt::ItemFlags PriceBookModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Price && m_editable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool PriceBookModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != Price || role != Qt::EditRole || !m_editable)
        return false;
    const std::size_t row = static_cast<std::size_t>(index.row());
    if (const std::optional<Text> problem
        = apply([&](PriceBook& book) { return EditPrice(book, row, fromQString(value.toString())); })) {
        Q_EMIT editRefused(toQString(*problem));
        return false;
    }
    return true;
}

} // namespace rq
