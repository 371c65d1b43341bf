// The price book as a table: 分类, 项目, 单位, 等级, 单价, one row an item. Only the 单价 is
// edited; every change goes through the core's book edits, and the model announces exactly
// the rows a change touched.
#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "prices/price_edits.h"

namespace rq {

class PriceBookModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Section, Item, Unit, Level, Price, ColumnCount };

    explicit PriceBookModel(QObject* parent = nullptr);

    const PriceBook& book() const { return m_book; }
    // Another book in view (a different one chosen, imported, restored from a file).
    void setBook(PriceBook book);
    // Runs one edit of the book and announces what it changed; the problem when refused.
    std::optional<Text> apply(const std::function<PriceEditResult(PriceBook&)>& edit);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    void setEditable(bool editable) { m_editable = editable; }

Q_SIGNALS:
    // The book changed (what it replaced is in `changes`), to be kept.
    void bookEdited(const std::vector<PriceChange>& changes);
    // A typed price was refused; the old one stays.
    void editRefused(const QString& problem);

private:
    PriceBook m_book;
    bool m_editable = true;
};

} // namespace rq
