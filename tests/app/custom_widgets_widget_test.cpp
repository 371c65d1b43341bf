// The small widgets the forms are built from: spinner edit boxes, link labels, picture boxes.
#include <QAccessible>
#include <QBuffer>
#include <QDesktopServices>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include "forms/hyperlink_label.h"
#include "forms/picture_box.h"
#include "forms/spin_edit_box.h"

namespace {

using rq::SpinEditBox;

struct StepCase {
    const char* text;
    double minimum;
    double maximum;
    int steps;
    const char* expected;
};

TEST(SpinEditBox, StepsStayWithinTheRange)
{
    const StepCase cases[] = {
        {"3", 0, 10, 1, "4"},
        {"3", 0, 10, -1, "2"},
        {"10", 0, 10, 1, "10"},
        {"0", 0, 10, -1, "0"},
        {"15", 0, 10, -1, "10"},      // typed above the range: a step brings it back in
        {"15", 0, 10, 1, "10"},
        {"abc", 0, 10, 1, "1"},       // no number reads as 0
        {"", 0, 10, -1, "0"},
        {"100", 30, 5000, -1, "99"},
        {"30", 30, 5000, -1, "30"},
        {"4999.5", 30, 5000, 1, "5000"},
        {"2.5", 0, 10, 1, "3.5"},
        {"１２", 0, 100, 1, "13"},    // full-width digits read as the number they show
        {"5", 0, 100, 3, "8"},
    };
    for (const auto& c : cases) {
        QWidget window;
        SpinEditBox box(&window);
        box.setRange(c.minimum, c.maximum);
        box.setText(QString::fromUtf8(c.text));
        box.stepBy(c.steps);
        EXPECT_EQ(box.text(), QString::fromUtf8(c.expected)) << c.text << " by " << c.steps;
    }
}

struct TypingCase {
    SpinEditBox::CharacterFilter filter;
    const char* typed;
    const char* expected;
};

TEST(SpinEditBox, FilterLetsOnlyNumberCharactersThroughAndKeepsTypedValues)
{
    const TypingCase cases[] = {
        {SpinEditBox::WholeNumber, "1a2", "12"},
        {SpinEditBox::WholeNumber, "25", "25"},  // above the range of 0 to 10, kept as typed
        {SpinEditBox::WholeNumber, "-1.5", "15"},
        {SpinEditBox::Decimal, "12.5", "12.5"},
        {SpinEditBox::Decimal, "1.5.2x", "1.52"},
        {SpinEditBox::None, "-1", "-1"},
        {SpinEditBox::None, "abc", "abc"},
    };
    for (const auto& c : cases) {
        QWidget window;
        SpinEditBox box(&window);
        box.setRange(0, 10);
        box.setFilter(c.filter);
        QTest::keyClicks(&box, QString::fromUtf8(c.typed));
        EXPECT_EQ(box.text(), QString::fromUtf8(c.expected)) << c.typed;
    }
}

TEST(SpinEditBox, SpinnerSitsRightOfTheBoxAndStepsOnClicksAndArrowKeys)
{
    QWidget window;
    window.resize(200, 100);
    SpinEditBox box(&window);
    box.setRange(0, 10);
    box.setGeometry(79, 44, 24, 16);
    box.setText(QStringLiteral("3"));
    window.show();
    ASSERT_NE(box.spinner(), nullptr);
    EXPECT_EQ(box.spinner()->geometry(), QRect(103, 44, SpinEditBox::kSpinnerWidth, 16));
    EXPECT_TRUE(box.spinner()->isVisible());

    QSignalSpy changes(&box, &QLineEdit::textChanged);
    QTest::mouseClick(box.spinner(), Qt::LeftButton, {}, QPoint(8, 3));
    EXPECT_EQ(box.text(), QStringLiteral("4"));
    QTest::mouseClick(box.spinner(), Qt::LeftButton, {}, QPoint(8, 13));
    QTest::mouseClick(box.spinner(), Qt::LeftButton, {}, QPoint(8, 13));
    EXPECT_EQ(box.text(), QStringLiteral("2"));
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(box.text(), QStringLiteral("3"));
    EXPECT_EQ(changes.count(), 4);

    box.setEnabled(false);
    EXPECT_FALSE(box.spinner()->isEnabled());
    box.move(10, 10);
    EXPECT_EQ(box.spinner()->pos(), QPoint(34, 10));
}

// Records the addresses the label asks the desktop to open, instead of starting a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

struct LinkCase {
    const char* target;
    Qt::MouseButton button;
    QPoint releaseAt;
    int pressedSignals;
    int releasedSignals;
    bool opens;
};

TEST(HyperlinkLabel, OpensItsTargetOnAClickAndAlwaysReportsPressAndRelease)
{
    const LinkCase cases[] = {
        {"http://www.example.test/a.html", Qt::LeftButton, QPoint(5, 5), 1, 1, true},
        {"", Qt::LeftButton, QPoint(5, 5), 1, 1, false},
        {"http://www.example.test/a.html", Qt::RightButton, QPoint(5, 5), 0, 0, false},
        // Dragged off the label before letting go: not a click.
        {"http://www.example.test/a.html", Qt::LeftButton, QPoint(500, 5), 1, 1, false},
    };
    for (const auto& c : cases) {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
        QWidget window;
        rq::HyperlinkLabel link(&window);
        link.setGeometry(0, 0, 80, 16);
        link.setText(QStringLiteral("装修流程"));
        link.setTarget(QString::fromUtf8(c.target));
        window.show();
        QSignalSpy pressed(&link, &rq::HyperlinkLabel::pressed);
        QSignalSpy released(&link, &rq::HyperlinkLabel::released);
        QTest::mousePress(&link, c.button, {}, QPoint(5, 5));
        QTest::mouseRelease(&link, c.button, {}, c.releaseAt);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        EXPECT_EQ(pressed.count(), c.pressedSignals) << c.target;
        EXPECT_EQ(released.count(), c.releasedSignals) << c.target;
        EXPECT_EQ(recorder.opened.size(), c.opens ? 1 : 0) << c.target;
        if (c.opens && !recorder.opened.isEmpty()) {
            EXPECT_EQ(recorder.opened.front(), QUrl(QString::fromUtf8(c.target)));
        }
    }
}

TEST(HyperlinkLabel, LooksLikeALink)
{
    QWidget window;
    rq::HyperlinkLabel link(&window);
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), link.palette().color(QPalette::Link));
}

QByteArray pngBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(PictureBox, ShowsDecodableBytesAndNothingElse)
{
    QWidget window;
    rq::PictureBox box(&window);
    box.setImageBytes(pngBytes(80, 24));
    EXPECT_EQ(box.pixmap().size(), QSize(80, 24));
    box.setImageBytes(QByteArray("<html>not found</html>"));
    EXPECT_TRUE(box.pixmap().isNull());
    box.setImageBytes(pngBytes(10, 10));
    box.setImageBytes(QByteArray());
    EXPECT_TRUE(box.pixmap().isNull());
}

TEST(PictureBox, ReportsLeftPressOnly)
{
    QWidget window;
    rq::PictureBox box(&window);
    box.resize(80, 24);
    window.show();
    QSignalSpy pressed(&box, &rq::PictureBox::pressed);
    QTest::mousePress(&box, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(pressed.count(), 0);
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(pressed.count(), 1);
}

// Without a mouse: Tab reaches a link or a clickable picture, Space or Enter presses it, and
// a screen reader sees a named link or button whose press action does the same. Other keys
// and a held key's repeats press nothing.
TEST(HyperlinkLabel, KeyboardAndScreenReadersPressLinksAndPictures)
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
    QWidget window;
    rq::HyperlinkLabel link(&window);
    link.setText(QStringLiteral("装修流程"));
    link.setTarget(QStringLiteral("http://www.example.test/a.html"));
    rq::PictureBox picture(&window);
    picture.setAccessibleName(QStringLiteral("在线客服"));
    window.show();
    const struct {
        QWidget* control;
        QAccessible::Role role;
        QString name;
        const char* signal;
    } controls[] = {
        { &link, QAccessible::Link, QStringLiteral("装修流程"), SIGNAL(pressed()) },
        { &picture, QAccessible::Button, QStringLiteral("在线客服"), SIGNAL(pressed()) },
    };
    for (const auto& c : controls) {
        EXPECT_TRUE(c.control->focusPolicy() & Qt::TabFocus);
        QSignalSpy pressed(c.control, c.signal);
        QTest::keyClick(c.control, Qt::Key_Space);
        QTest::keyClick(c.control, Qt::Key_Return);
        QTest::keyClick(c.control, Qt::Key_A);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QCoreApplication::sendEvent(c.control, &repeat);
        EXPECT_EQ(pressed.count(), 2) << c.name.toStdString();
        QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(c.control);
        ASSERT_NE(seen, nullptr);
        EXPECT_EQ(seen->role(), c.role);
        EXPECT_EQ(seen->text(QAccessible::Name), c.name);
        ASSERT_NE(seen->actionInterface(), nullptr);
        seen->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(pressed.count(), 3) << c.name.toStdString();
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(recorder.opened.size(), 3) << "the link's target, once a press";
}

}  // namespace

#include "custom_widgets_widget_test.moc"
