// The program's file dialogs open wide enough for the folder list and every column of the
// detailed view (name, size, type, date modified): a cut column hides which file is newer.
#pragma once

class QFileDialog;

namespace rq {

// Sizes the dialog before it is shown; never larger than the screen it opens on.
void widenFileDialog(QFileDialog& dialog);

} // namespace rq
