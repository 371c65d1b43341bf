// Editable combo boxes as the quote windows need them: what the user types is what is
// stored, and a choice from the drop-down list can be told apart from typing.
#pragma once

#include <QObject>

class QComboBox;
class QWidget;

namespace rq {

// Every editable combo box of the window keeps the text as typed: no inline completion
// ("800" must not become "800*1500" when the box is left) and no typed text added to the
// list. The lists themselves stay as the form gives them.
void keepTypedTexts(QWidget* window);

// The parts of the window's combo boxes that take the keyboard's focus (the line typed
// into, the drop-down list) carry the box's accessible name, so that a screen reader says
// which box they belong to.
void nameComboBoxParts(QWidget* window);

// An editable combo box reports `activated` for a typed text too, when the box is left or
// Return is pressed. ListChoice passes on only the choices made in the list itself: a
// click or Return in the open list, or the arrow keys and the wheel on the closed box.
class ListChoice : public QObject {
    Q_OBJECT

public:
    explicit ListChoice(QComboBox* box);

Q_SIGNALS:
    void picked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isListGesture(const QObject* watched, const QEvent* event) const;

    QComboBox* m_box;
    // Set while the box handles a gesture on its list: the `activated` it reports then is
    // the user's choice.
    bool m_picking = false;
};

} // namespace rq
