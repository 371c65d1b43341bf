#include "sheet/add_item_dialog.h"

#include "app/qt_text.h"
#include "sheet/item_notes.h"
#include "sheet/quote_sheet_model.h"
#include "sheet/sheet_edits.h"
#include "ui_add_item_dialog.h"

namespace rq {

AddItemDialog::AddItemDialog(QuoteSheetModel& sheet, Text caption, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::AddItemDialog>())
    , m_sheet(sheet)
    , m_caption(std::move(caption))
{
    m_ui->setupUi(this);
    // Only a choice from the list brings its usual price; a typed name leaves the price as
    // it stands, so a price the user typed first is not overwritten.
    connect(m_ui->组合框1, &QComboBox::activated, this, &AddItemDialog::fillDefaultUnitPrice);
    connect(m_ui->按钮1, &QPushButton::clicked, this, &AddItemDialog::onAddClicked);
    connect(m_ui->按钮2, &QPushButton::clicked, this, &AddItemDialog::reject);
}

AddItemDialog::~AddItemDialog() = default;

void AddItemDialog::fillDefaultUnitPrice(int pickedIndex)
{
    if (const auto price = DefaultUnitPrice(fromQString(m_ui->组合框1->itemText(pickedIndex))))
        m_ui->组合框3->setCurrentText(QString::fromUtf8(price->data(), static_cast<qsizetype>(price->size())));
}

void AddItemDialog::onAddClicked()
{
    if (m_added)
        return;
    m_added = true;
    m_ui->按钮1->setEnabled(false);
    const AddedItem item { fromQString(m_ui->组合框1->currentText()), fromQString(m_ui->组合框2->currentText()),
        fromQString(m_ui->组合框3->currentText()) };
    m_sheet.edit([&](QuoteSheet& sheet) { AddItem(sheet, m_caption, item); });
    accept();
}

} // namespace rq
