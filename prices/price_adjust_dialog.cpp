#include "prices/price_adjust_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "qtcore/qt_text.h"

namespace rq {

PriceAdjustDialog::PriceAdjustDialog(const std::vector<Text>& sections, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::translate("PriceAdjustDialog", "调价"));
    m_scope = new QComboBox(this);
    m_scope->addItem(QCoreApplication::translate("PriceAdjustDialog", "整个价格表"));
    for (const Text& section : sections)
        if (section != kFeeSection)
            m_scope->addItem(toQString(section));
    m_percent = new QDoubleSpinBox(this);
    m_percent->setRange(-static_cast<double>(kMaxAdjustDown) / 100, static_cast<double>(kMaxAdjustUp) / 100);
    m_percent->setDecimals(2);
    m_percent->setSuffix(QStringLiteral(" %"));
    m_percent->setValue(0);
    m_wholeYuan = new QRadioButton(QCoreApplication::translate("PriceAdjustDialog", "取整到元(&Y)"), this);
    m_tenth = new QRadioButton(QCoreApplication::translate("PriceAdjustDialog", "保留一位小数（0.1 元）(&T)"), this);
    m_wholeYuan->setChecked(true);

    auto* form = new QFormLayout;
    auto* scopeLabel = new QLabel(QCoreApplication::translate("PriceAdjustDialog", "调整(&S)："), this);
    scopeLabel->setBuddy(m_scope);
    auto* percentLabel = new QLabel(QCoreApplication::translate("PriceAdjustDialog", "幅度(&P)："), this);
    percentLabel->setBuddy(m_percent);
    form->addRow(scopeLabel, m_scope);
    form->addRow(percentLabel, m_percent);
    auto* rounding = new QVBoxLayout;
    rounding->addWidget(m_wholeYuan);
    rounding->addWidget(m_tenth);
    form->addRow(QCoreApplication::translate("PriceAdjustDialog", "单价："), rounding);

    auto* note
        = new QLabel(QCoreApplication::translate("PriceAdjustDialog", "正数涨价，负数降价；费用的费率不变。"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QCoreApplication::translate("PriceAdjustDialog", "调价"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("PriceAdjustDialog", "取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    m_percent->setFocus();
    m_percent->selectAll();
}

Text PriceAdjustDialog::section() const
{
    return m_scope->currentIndex() == 0 ? Text() : fromQString(m_scope->currentText());
}

std::int64_t PriceAdjustDialog::percentHundredths() const
{
    // The box holds two decimals: the nearest hundredth is what the user sees.
    return std::llround(m_percent->value() * 100);
}

PriceRounding PriceAdjustDialog::rounding() const
{
    return m_tenth->isChecked() ? PriceRounding::Tenth : PriceRounding::WholeYuan;
}

} // namespace rq
