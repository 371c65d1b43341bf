// "关于": the program's version and the licences of the program and of the libraries it
// is built on.
#pragma once

#include <QString>

class QWidget;

namespace rq {

// The program's name as the windows show it.
QString programName();
QString aboutText();
void showAboutBox(QWidget* parent);

} // namespace rq
