// "报价详情": the customer, address, phone, date, quote number, validity and notes a printed quote
// carries, edited in one dialog opened from the quote sheet window or the menu.
#pragma once

#include <QDialog>
#include <memory>

#include "document/quote_details.h"

namespace Ui {
class QuoteDetailsDialog;
}

class QLineEdit;
class QPlainTextEdit;

namespace rq {

class QuoteDetailsDialog : public QDialog {
    Q_OBJECT

public:
    QuoteDetailsDialog(const QuoteDetails& details, QWidget* parent);
    ~QuoteDetailsDialog() override;

    // The texts as they stand in the fields, exactly as typed.
    QuoteDetails details() const;

private:
    QLineEdit* customerEdit() const;
    QLineEdit* addressEdit() const;
    QLineEdit* phoneEdit() const;
    QLineEdit* dateEdit() const;
    QLineEdit* quoteNumberEdit() const;
    QLineEdit* validityEdit() const;
    QPlainTextEdit* notesEdit() const;

    std::unique_ptr<Ui::QuoteDetailsDialog> m_ui;
};

} // namespace rq
