#include "sheet/add_item_dialog.h"

#include "sheet/edit_checks.h"
#include "sheet/item_notes.h"
#include "sheet/quote_sheet_model.h"
#include "sheet/sheet_edits.h"
#include "ui/button_keys.h"
#include "ui/combo_boxes.h"
#include "ui/message_box.h"
#include "qtcore/qt_text.h"
#include "ui_add_item_dialog.h"

namespace rq {

AddItemDialog::AddItemDialog(QuoteSheetModel& sheet, Text caption, QWidget* parent, const PriceBook& prices)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::AddItemDialog>())
    , m_sheet(sheet)
    , m_caption(std::move(caption))
    , m_prices(prices)
{
    m_ui->setupUi(this);
    // Three boxes and two buttons: a larger dialog would only show empty grey.
    setFixedSize(size());
    keepTypedTexts(this);
    nameComboBoxParts(this);
    returnPressesFocusedButton(this);
    // Only a choice from the list brings its usual price; a typed name, or leaving the box,
    // leaves the price as it stands, so a price the user typed first is not overwritten.
    connect(new ListChoice(itemBox()), &ListChoice::picked, this, &AddItemDialog::fillDefaultUnitPrice);
    connect(addButton(), &QPushButton::clicked, this, &AddItemDialog::onAddClicked);
    connect(cancelButton(), &QPushButton::clicked, this, &AddItemDialog::reject);
    // The three boxes are filled in for one thing: Return in any of them adds the item.
    returnInFieldsPresses(addButton(), {itemBox(), quantityBox(), unitPriceBox()});
}

AddItemDialog::~AddItemDialog() = default;

// The controls by role: the form's own names for them appear here and nowhere else.
// clang-format off
QComboBox* AddItemDialog::itemBox() const { return m_ui->组合框1; }
QComboBox* AddItemDialog::quantityBox() const { return m_ui->组合框2; }
QComboBox* AddItemDialog::unitPriceBox() const { return m_ui->组合框3; }
QPushButton* AddItemDialog::addButton() const { return m_ui->按钮1; }
QPushButton* AddItemDialog::cancelButton() const { return m_ui->按钮2; }
// clang-format on

void AddItemDialog::fillDefaultUnitPrice(int pickedIndex)
{
    if (const auto price = DefaultUnitPrice(fromQString(itemBox()->itemText(pickedIndex)), m_prices))
        unitPriceBox()->setCurrentText(toQString(*price));
}

std::optional<Text> AddItemDialog::addAboveTheFees(const AddedItem& item)
{
    return m_sheet
        .edit([&](QuoteSheet& sheet, SheetListener* listener) {
            return TryAddItem(sheet, m_caption, item, m_prices, listener);
        })
        .refusal;
}

void AddItemDialog::onAddClicked()
{
    if (m_added)
        return;
    const AddedItem item { fromQString(itemBox()->currentText()), fromQString(quantityBox()->currentText()),
        fromQString(unitPriceBox()->currentText()) };
    // Refused before anything changes; the dialog stays open with what the user typed.
    const auto problem = m_adder ? m_adder(item) : addAboveTheFees(item);
    if (problem) {
        showMessage(this, toQString(*problem), QMessageBox::Warning);
        return;
    }
    m_added = true;
    addButton()->setEnabled(false);
    accept();
}

} // namespace rq
