#include "app/quote_details_dialog.h"

#include <QCoreApplication>
#include <QPushButton>

#include "qtcore/qt_text.h"
#include "ui_quote_details_dialog.h"

namespace rq {

QuoteDetailsDialog::QuoteDetailsDialog(const QuoteDetails& details, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::QuoteDetailsDialog>())
{
    m_ui->setupUi(this);
    m_ui->buttons->button(QDialogButtonBox::Ok)->setText(QCoreApplication::translate("QuoteDetailsDialog", "确定"));
    m_ui->buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("QuoteDetailsDialog", "取消"));
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    customerEdit()->setText(toQString(details.customer));
    addressEdit()->setText(toQString(details.address));
    phoneEdit()->setText(toQString(details.phone));
    dateEdit()->setText(toQString(details.date));
    quoteNumberEdit()->setText(toQString(details.quoteNumber));
    notesEdit()->setPlainText(toQString(details.notes));
    validityEdit()->setText(toQString(details.validity));
    dateEdit()->setPlaceholderText(QCoreApplication::translate("QuoteDetailsDialog", "例如 2024年5月1日"));
    validityEdit()->setPlaceholderText(QCoreApplication::translate("QuoteDetailsDialog", "例如 30 天"));
    customerEdit()->setFocus();
}

QuoteDetailsDialog::~QuoteDetailsDialog() = default;

QLineEdit* QuoteDetailsDialog::customerEdit() const
{
    return m_ui->customerEdit;
}
QLineEdit* QuoteDetailsDialog::addressEdit() const
{
    return m_ui->addressEdit;
}
QLineEdit* QuoteDetailsDialog::phoneEdit() const
{
    return m_ui->phoneEdit;
}
QLineEdit* QuoteDetailsDialog::dateEdit() const
{
    return m_ui->dateEdit;
}
QLineEdit* QuoteDetailsDialog::quoteNumberEdit() const
{
    return m_ui->quoteNumberEdit;
}
QLineEdit* QuoteDetailsDialog::validityEdit() const
{
    return m_ui->validityEdit;
}
QPlainTextEdit* QuoteDetailsDialog::notesEdit() const
{
    return m_ui->notesEdit;
}

QuoteDetails QuoteDetailsDialog::details() const
{
    return { fromQString(customerEdit()->text()), fromQString(addressEdit()->text()), fromQString(phoneEdit()->text()),
        fromQString(dateEdit()->text()), fromQString(quoteNumberEdit()->text()),
        fromQString(notesEdit()->toPlainText()), fromQString(validityEdit()->text()) };
}

} // namespace rq
