// The quote sheet as the window's table shows it: a thin table model over the core's
// QuoteSheet. Edits run as core operations; the model then announces only what changed.
#pragma once

#include <functional>

#include <QAbstractTableModel>

#include "quote/quote_sheet.h"

namespace rq {

class QuoteSheetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit QuoteSheetModel(QuoteSheet sheet = {}, QObject* parent = nullptr);

    const QuoteSheet& sheet() const { return m_sheet; }

    // Runs a core operation on the sheet, then tells the views which rows came, went or
    // changed. A sheet of a thousand rooms has tens of thousands of rows: a view must not
    // be rebuilt for one changed total.
    void edit(const std::function<void(QuoteSheet&)>& operation);
    // Shows `next` in place of the current sheet, announcing only the difference.
    void adopt(QuoteSheet next);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void announceChangedRows(const QuoteSheet& before, int from, int to);

    QuoteSheet m_sheet;
};

} // namespace rq
