#include "ui/application_look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QIconEngine>
#include <QLabel>
#include <QPointer>
#include <QProxyStyle>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

#include <functional>
#include <optional>

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

// An icon read from its picture the first time it is drawn or measured.
class LaterIconEngine : public QIconEngine {
public:
    explicit LaterIconEngine(std::function<QIcon()> read)
        : m_read(std::move(read))
    {
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new LaterIconEngine(*this); }

private:
    const QIcon& icon()
    {
        if (!m_icon)
            m_icon = m_read();
        return *m_icon;
    }

    std::function<QIcon()> m_read;
    std::optional<QIcon> m_icon;
};

// Fusion, but the arrow a menu bar shows when its menus do not fit is read when it is
// drawn, not when the menu bar is made: reading any picture has Qt load every image
// plug-in (SVG, JPEG, ...) first, and the main window would pay that before its first
// paint for an arrow that a window as wide as its menus never shows.
class ApplicationStyle : public QProxyStyle {
public:
    ApplicationStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(which, option, widget);
        return QIcon(new LaterIconEngine([fusion = QPointer<QStyle>(baseStyle()), which] {
            return fusion ? fusion->standardIcon(which) : QIcon();
        }));
    }
};

}  // namespace

void useApplicationStyle()
{
    if (dynamic_cast<const ApplicationStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new ApplicationStyle);
}

void applyApplicationLook()
{
    useApplicationStyle();
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
