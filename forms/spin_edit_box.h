// An edit box with an up-down spinner beside it, for counts and areas: the spinner steps
// the number within its range, while whatever the user types stays exactly as typed (a
// count of 12 rooms is the user's business). An optional filter lets only the characters
// of a whole or a decimal number be typed.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace rq {

class SpinnerButtons;

class SpinEditBox : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(CharacterFilter filter READ filter WRITE setFilter)

public:
    enum CharacterFilter { None, WholeNumber, Decimal };
    Q_ENUM(CharacterFilter)

    // The width of the spinner, which sits just right of the edit box as on the forms.
    static constexpr int kSpinnerWidth = 16;

    explicit SpinEditBox(QWidget* parent = nullptr);
    ~SpinEditBox() override;

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    void setMinimum(double minimum) { m_minimum = minimum; }
    void setMaximum(double maximum) { m_maximum = maximum; }
    void setRange(double minimum, double maximum);

    CharacterFilter filter() const { return m_filter; }
    void setFilter(CharacterFilter filter);

    // Steps the number read from the text by `steps` (negative: down), kept within the range.
    void stepBy(int steps);

    // The spinner widget, made beside the box in the parent given at construction (a box
    // made without a parent has none; the arrow keys and the wheel still step).
    QWidget* spinner() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeSpinner();

    double m_minimum = 0;
    double m_maximum = 99;
    CharacterFilter m_filter = None;
    // The spinner lives beside the box in the same parent, so it cannot be a child of it.
    QPointer<SpinnerButtons> m_spinner;
};

// The two arrow buttons; pressing and holding one repeats the step.
class SpinnerButtons : public QWidget {
    Q_OBJECT

public:
    explicit SpinnerButtons(QWidget* parent);

Q_SIGNALS:
    void stepRequested(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_heldStep = 0;
    QTimer m_repeat;
};

}  // namespace rq
