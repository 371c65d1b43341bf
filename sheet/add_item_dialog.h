// The add-item dialog "添加项目": an extra work with its quantity and unit price goes into
// the quote sheet above the fee section, and the fees and totals are rebuilt over it.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QDialog>

#include "convert/convert.h"
#include "prices/price_book.h"
#include "sheet/sheet_edits.h"

namespace Ui {
class AddItemDialog;
}

class QComboBox;
class QPushButton;

namespace rq {

class QuoteSheetModel;

class AddItemDialog : public QDialog {
    Q_OBJECT

public:
    // `caption` is the quote sheet window's caption, which tells a full-package sheet; the
    // fees are rebuilt at the rates of `prices`, which must outlive the dialog.
    AddItemDialog(QuoteSheetModel& sheet, Text caption, QWidget* parent = nullptr,
        const PriceBook& prices = BuiltInPriceBook());
    ~AddItemDialog() override;

    // What 确定添加 does with the item: make the edit, or say why not (the dialog then stays
    // open with what the user typed). By default the item goes above the fee section.
    using Adder = std::function<std::optional<Text>(const AddedItem&)>;
    void setAdder(Adder adder) { m_adder = std::move(adder); }

private:
    // The controls by role.
    QComboBox* itemBox() const;
    QComboBox* quantityBox() const;
    QComboBox* unitPriceBox() const;
    QPushButton* addButton() const;
    QPushButton* cancelButton() const;

    void fillDefaultUnitPrice(int pickedIndex);
    void onAddClicked();
    std::optional<Text> addAboveTheFees(const AddedItem& item);

    std::unique_ptr<Ui::AddItemDialog> m_ui;
    QuoteSheetModel& m_sheet;
    Text m_caption;
    const PriceBook& m_prices;
    Adder m_adder;
    // One press adds one item, however quickly a second press follows.
    bool m_added = false;
};

} // namespace rq
