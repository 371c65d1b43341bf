#include "forms/spin_edit_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyleOption>
#include <QWheelEvent>
#include <algorithm>

#include "qtcore/qt_text.h"

namespace rq {

SpinEditBox::SpinEditBox(QWidget* parent) : QLineEdit(parent)
{
    if (parent) {
        m_spinner = new SpinnerButtons(parent);
        connect(m_spinner, &SpinnerButtons::stepRequested, this, &SpinEditBox::stepBy);
        m_spinner->setVisible(false);
    }
}

SpinEditBox::~SpinEditBox() { delete m_spinner; }

QWidget* SpinEditBox::spinner() const { return m_spinner; }

void SpinEditBox::setRange(double minimum, double maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

void SpinEditBox::setFilter(CharacterFilter filter)
{
    m_filter = filter;
    switch (filter) {
    case None:
        setValidator(nullptr);
        break;
    case WholeNumber:
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
        break;
    case Decimal:
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), this));
        break;
    }
}

void SpinEditBox::stepBy(int steps)
{
    const double current = TextToNumber(fromQString(text()));
    const double next = std::clamp(current + steps, m_minimum, m_maximum);
    setText(toQString(NumberToText(next)));
}

void SpinEditBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        stepBy(event->key() == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SpinEditBox::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0 || isReadOnly()) {
        QLineEdit::wheelEvent(event);
        return;
    }
    stepBy(delta > 0 ? 1 : -1);
    event->accept();
}

void SpinEditBox::placeSpinner()
{
    if (m_spinner)
        m_spinner->setGeometry(x() + width(), y(), kSpinnerWidth, height());
}

void SpinEditBox::moveEvent(QMoveEvent* event)
{
    QLineEdit::moveEvent(event);
    placeSpinner();
}

void SpinEditBox::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    placeSpinner();
}

void SpinEditBox::showEvent(QShowEvent* event)
{
    QLineEdit::showEvent(event);
    if (m_spinner) {
        placeSpinner();
        m_spinner->show();
        m_spinner->raise();
    }
}

void SpinEditBox::hideEvent(QHideEvent* event)
{
    QLineEdit::hideEvent(event);
    // Hidden because the whole window is hidden is not the same as hidden on its own.
    if (m_spinner && isHidden())
        m_spinner->hide();
}

void SpinEditBox::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (m_spinner && event->type() == QEvent::EnabledChange)
        m_spinner->setEnabled(isEnabled());
}

SpinnerButtons::SpinnerButtons(QWidget* parent) : QWidget(parent)
{
    connect(&m_repeat, &QTimer::timeout, this, [this] {
        m_repeat.setInterval(80);
        if (m_heldStep != 0)
            Q_EMIT stepRequested(m_heldStep);
    });
}

void SpinnerButtons::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    const QStyle::PrimitiveElement arrows[2] = {QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        const bool sunken = (m_heldStep == 1 && i == 0) || (m_heldStep == -1 && i == 1);
        button.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(2, 1, -2, -1);
        style()->drawPrimitive(arrows[i], &arrow, &painter, this);
    }
}

void SpinnerButtons::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_heldStep = event->position().y() < height() / 2.0 ? 1 : -1;
    Q_EMIT stepRequested(m_heldStep);
    // The first repeat waits a little, so one click is one step.
    m_repeat.start(400);
    update();
}

void SpinnerButtons::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_heldStep = 0;
    m_repeat.stop();
    update();
}

}  // namespace rq
