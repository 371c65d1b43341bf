// 调价: which prices (one section or the whole book), by how many per cent up or down, and
// rounded to whole yuan or to 0.1 yuan. The arithmetic is the core's (prices/price_edits.h).
#pragma once

#include <QDialog>

#include "prices/price_edits.h"

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

namespace rq {

class PriceAdjustDialog : public QDialog {
    Q_OBJECT

public:
    PriceAdjustDialog(const std::vector<Text>& sections, QWidget* parent = nullptr);

    // The section chosen, empty for the whole book.
    Text section() const;
    std::int64_t percentHundredths() const;
    PriceRounding rounding() const;

    QComboBox* scopeBox() const { return m_scope; }
    QDoubleSpinBox* percentBox() const { return m_percent; }
    QRadioButton* tenthButton() const { return m_tenth; }

private:
    QComboBox* m_scope = nullptr;
    QDoubleSpinBox* m_percent = nullptr;
    QRadioButton* m_wholeYuan = nullptr;
    QRadioButton* m_tenth = nullptr;
};

} // namespace rq
