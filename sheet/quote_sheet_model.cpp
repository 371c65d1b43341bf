#include "sheet/quote_sheet_model.h"

#include <QCoreApplication>

#include <algorithm>

#include "qtcore/qt_text.h"

namespace rq {

QuoteSheetModel::QuoteSheetModel(QuoteSheet sheet, QObject* parent)
    : QAbstractTableModel(parent)
    , m_sheet(std::move(sheet))
{
}

EditOutcome QuoteSheetModel::edit(const Edit& edit)
{
    return edit(m_sheet, this);
}

void QuoteSheetModel::undo(const SheetChange& change)
{
    UndoChange(m_sheet, change, this);
}

void QuoteSheetModel::redo(const SheetChange& change)
{
    RedoChange(m_sheet, change, this);
}

// Rows [at, at + removed) give way to `inserted` rows: the rows beyond the shorter count
// come or go, the others are rewritten in place.
void QuoteSheetModel::rowsReplacing(int at, int removed, int inserted)
{
    if (removed > inserted)
        beginRemoveRows({}, at + inserted, at + removed - 1);
    else if (inserted > removed)
        beginInsertRows({}, at + removed, at + inserted - 1);
}

void QuoteSheetModel::rowsReplaced(int at, int removed, int inserted)
{
    if (removed > inserted)
        endRemoveRows();
    else if (inserted > removed)
        endInsertRows();
    const int rewritten = std::min(removed, inserted);
    if (rewritten > 0)
        Q_EMIT dataChanged(index(at, 0), index(at + rewritten - 1, kSheetColumnCount - 1), { Qt::DisplayRole });
}

void QuoteSheetModel::cellChanged(int row, int column)
{
    const QModelIndex cell = index(row, column);
    Q_EMIT dataChanged(cell, cell, { Qt::DisplayRole });
}

int QuoteSheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_sheet.RowCount();
}

int QuoteSheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kSheetColumnCount;
}

QVariant QuoteSheetModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    return toQString(m_sheet.GetCell(index.row(), index.column()));
}

QVariant QuoteSheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= kSheetColumnCount)
            return {};
        // The printed quote and the command line keep the sheet's Chinese heads; the
        // window's follow the interface language.
        static constexpr const char* kHeads[kSheetColumnCount]
            = { QT_TRANSLATE_NOOP("QuoteSheetModel", "序号"), QT_TRANSLATE_NOOP("QuoteSheetModel", "项目名称"),
                  QT_TRANSLATE_NOOP("QuoteSheetModel", "单位"), QT_TRANSLATE_NOOP("QuoteSheetModel", "数量"),
                  QT_TRANSLATE_NOOP("QuoteSheetModel", "单价"), QT_TRANSLATE_NOOP("QuoteSheetModel", "总计") };
        return QCoreApplication::translate("QuoteSheetModel", kHeads[section]);
    }
    return section + 1;
}

Qt::ItemFlags QuoteSheetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace rq
