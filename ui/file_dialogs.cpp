#include "ui/file_dialogs.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

namespace rq {

namespace {

// The folder list, the four columns at widths that show a long Chinese file name and a
// whole date, and the dialog's margins.
constexpr int kSideBarWidth = 180;
constexpr int kNameColumnWidth = 300;
constexpr int kMarginsWidth = 60;
constexpr int kPreferredHeight = 520;

} // namespace

void widenFileDialog(QFileDialog& dialog)
{
    int columns = kNameColumnWidth;
    if (auto* view = dialog.findChild<QTreeView*>()) {
        QHeaderView* header = view->header();
        header->resizeSection(0, std::max(header->sectionSize(0), kNameColumnWidth));
        columns = 0;
        for (int section = 0; section < header->count(); ++section) {
            if (!header->isSectionHidden(section))
                columns += std::max(header->sectionSize(section), header->sectionSizeHint(section));
        }
    }
    QSize size(std::max(dialog.width(), kSideBarWidth + columns + kMarginsWidth),
               std::max(dialog.height(), kPreferredHeight));
    if (const QScreen* screen = dialog.screen())
        size = size.boundedTo(screen->availableGeometry().size());
    dialog.resize(size);
}

} // namespace rq
