#include "ui/application_look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace rq {

namespace {

constexpr qreal kTighterSpacing[] = {-0.2, -0.4, -0.6};
constexpr int kSmallestPixelSize = 8;

bool labelFits(const QLabel* label, const QFont& font)
{
    const QFontMetrics metrics(font);
    const QRect room = label->contentsRect();
    const int flags = static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = metrics.boundingRect(room, flags, label->text());
    return needed.width() <= room.width() && needed.height() <= room.height()
        && metrics.height() <= room.height();
}

bool buttonFits(const QAbstractButton* button, const QFont& font)
{
    const QFontMetrics metrics(font);
    // Check and radio buttons need room for their indicator, push buttons for their frame.
    int extra = 6;
    if (qobject_cast<const QRadioButton*>(button) || qobject_cast<const QCheckBox*>(button))
        extra = button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button)
            + button->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
    return metrics.horizontalAdvance(button->text()) + extra <= button->width()
        && metrics.height() <= button->height();
}

template <typename Control, typename Fits>
void fitOne(Control* control, Fits fits)
{
    QFont font = control->font();
    if (control->text().isEmpty() || fits(control, font))
        return;
    for (const qreal spacing : kTighterSpacing) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        if (fits(control, font)) {
            control->setFont(font);
            return;
        }
    }
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    const int start = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    for (int size = start - 1; size >= kSmallestPixelSize; --size) {
        font.setPixelSize(size);
        if (fits(control, font) || size == kSmallestPixelSize) {
            control->setFont(font);
            return;
        }
    }
}

}  // namespace

void applyApplicationLook()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Micro Hei first; the other families only stand in where it is not installed.
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Droid Sans Fallback")});
    font.setPixelSize(kApplicationFontPixelSize);
    QApplication::setFont(font);
}


void fitCaptionsToBoxes(QWidget* window)
{
    for (QLabel* label : window->findChildren<QLabel*>())
        fitOne(label, labelFits);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        fitOne(button, buttonFits);
}

}  // namespace rq
