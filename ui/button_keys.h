// Return and Enter press the push button that has the focus, in every window, as users of
// desktop programs expect (a plain window's buttons answer only the space bar otherwise).
// Only the focused button: Return in an edit field presses nothing, so a quantity typed
// into the quote sheet's fields never sets off "删除此项".
#pragma once

class QWidget;

namespace rq {

// Call once the window's buttons exist.
void returnPressesFocusedButton(QWidget* window);

} // namespace rq
