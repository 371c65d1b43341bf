// The quote sheet as the window's table shows it: a thin table model over the core's
// QuoteSheet. Edits run as core operations that tell the model of each step as they make
// it, so the views hear of exactly the rows that came, went or changed.
#pragma once

#include <functional>

#include <QAbstractTableModel>

#include "quote/quote_sheet.h"
#include "sheet/edit_checks.h"

namespace rq {

class QuoteSheetModel : public QAbstractTableModel, private SheetListener {
    Q_OBJECT

public:
    explicit QuoteSheetModel(QuoteSheet sheet = {}, QObject* parent = nullptr);

    const QuoteSheet& sheet() const { return m_sheet; }

    // Runs a core edit (TryModifyRow and the like) on the sheet, the model listening. A
    // sheet of a thousand rooms has tens of thousands of rows: a view must not be rebuilt
    // for one changed total.
    using Edit = std::function<EditOutcome(QuoteSheet&, SheetListener*)>;
    EditOutcome edit(const Edit& edit);
    // Takes an edit back, or makes it again, announcing each step.
    void undo(const SheetChange& change);
    void redo(const SheetChange& change);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void rowsReplacing(int at, int removed, int inserted) override;
    void rowsReplaced(int at, int removed, int inserted) override;
    void cellChanged(int row, int column) override;

    QuoteSheet m_sheet;
};

} // namespace rq
