// Opens a page of the company (or of the tutorials, the chat) in the system's web browser.
// Where no browser can be started the user is told so, with the address, and finds the
// address on the clipboard, ready to paste into whatever browser there is.
#pragma once

class QUrl;
class QWidget;

namespace rq {

void openLink(QWidget* from, const QUrl& url);

} // namespace rq
