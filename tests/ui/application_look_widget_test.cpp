// Captions that would not fit their fixed boxes are drawn tighter or smaller until whole;
// the style's pictures read only when drawn are Fusion's own.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <gtest/gtest.h>

#include "ui/application_look.h"

namespace {

struct FitCase {
    const char* text;
    int width;
    int height;
    bool keepsFont;  // fits already: the font must not change
};

TEST(FitCaptionsToBoxes, ShrinksOnlyWhatWouldBeCutOff)
{
    rq::applyApplicationLook();
    const FitCase cases[] = {
        {"门的类型：", 80, 16, true},
        {"*房间长宽高：", 72, 16, false},  // one pixel too wide in the form's font
        {"*房间长宽高：", 60, 16, false},
        {"精确报价和设计", 60, 16, false},
        {"装修流程", 64, 9, false},        // too low for a whole line
    };
    for (const auto& c : cases) {
        QWidget window;
        auto* label = new QLabel(QString::fromUtf8(c.text), &window);
        label->setGeometry(0, 0, c.width, c.height);
        auto* button = new QPushButton(QString::fromUtf8(c.text), &window);
        button->setGeometry(0, 20, c.width + 6, c.height);
        const QFont before = label->font();
        rq::fitCaptionsToBoxes(&window);
        for (QWidget* control : {static_cast<QWidget*>(label), static_cast<QWidget*>(button)}) {
            const QFontMetrics metrics(control->font());
            EXPECT_LE(metrics.horizontalAdvance(QString::fromUtf8(c.text)), c.width) << c.text << " " << c.width;
            if (c.height >= rq::kApplicationFontPixelSize) {
                EXPECT_LE(metrics.height(), c.height) << c.text;
            }
        }
        EXPECT_EQ(label->font() == before, c.keepsFont) << c.text << " " << c.width;
    }
}

TEST(ApplicationStyle, MenuBarOverflowArrowsAreFusionsOwnWhenDrawn)
{
    rq::applyApplicationLook();
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const auto which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon shown = QApplication::style()->standardIcon(which);
        ASSERT_FALSE(shown.isNull());
        const QImage drawn = shown.pixmap(QSize(16, 16)).toImage();
        EXPECT_FALSE(drawn.isNull());
        EXPECT_EQ(drawn, fusion->standardIcon(which).pixmap(QSize(16, 16)).toImage()) << which;
    }
}

}  // namespace
