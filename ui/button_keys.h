// Return and Enter press the push button that has the focus, in every window, as users of
// desktop programs expect (a plain window's buttons answer only the space bar otherwise).
// Only the focused button: Return in an edit field presses nothing, so a quantity typed
// into the quote sheet's fields never sets off "删除此项".
#pragma once

#include <initializer_list>

class QKeySequence;
class QPushButton;
class QString;
class QWidget;

namespace rq {

// Call once the window's buttons exist.
void returnPressesFocusedButton(QWidget* window);

// Return or Enter in any of `fields` (line edits, editable lists) presses `button`, the one
// the fields are filled in for (添加 for a room's fields), as a form on the web does.
void returnInFieldsPresses(QPushButton* button, std::initializer_list<QWidget*> fields);

// A key for a button whose caption stays as it is: the tooltip says what the button does
// and names the key.
void giveButtonKey(QPushButton* button, const QKeySequence& key, const QString& what);

// Esc closes the window wherever its focus is, a web page inside it included (the page
// would otherwise keep the key for itself).
void escapeCloses(QWidget* window);

} // namespace rq
