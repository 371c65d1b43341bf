// How screen readers and the keyboard meet the window's link labels and clickable
// pictures: a link label is a link, a clickable picture a button, each named, reached with
// Tab and pressed with Space or Enter like any button.
#pragma once

class QKeyEvent;
class QWidget;

namespace rq {

// Makes screen readers see link labels and clickable pictures as what they are; done once,
// by the first such control.
void registerAccessibleControls();

// True when `event` presses a focused control (Space, Enter, Return), once per press.
bool isPressKey(const QKeyEvent* event);

// Paints the focus frame of a control that has the keyboard's focus.
void paintFocusFrame(QWidget* control);

}  // namespace rq
