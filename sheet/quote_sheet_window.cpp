#include "sheet/quote_sheet_window.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QUndoStack>
#include <algorithm>

#include "document/clipboard_text.h"

#include "online/contact_window.h"
#include "online/online_links.h"
#include "qtcore/qt_text.h"
#include "quote/quote_concepts.h"
#include "sheet/add_item_dialog.h"
#include "sheet/edit_checks.h"
#include "sheet/item_notes.h"
#include "sheet/quote_sheet_model.h"
#include "sheet/sheet_edits.h"
#include "ui/button_keys.h"
#include "ui/document_actions.h"
#include "ui/edge_anchors.h"
#include "ui/message_box.h"
#include "ui_quote_sheet_window.h"

namespace rq {

namespace {

// Column widths of the sheet, 序号 to 总计, as the company's printed quotes lay them out.
constexpr int kColumnWidths[kSheetColumnCount] = { 50, 200, 50, 120, 120, 120 };
constexpr int kInformationPixelSize = 10;
// "打印…" and "导出…" in the strip the form leaves free under "修改" and "添加项", of the
// same size as the buttons above them.
constexpr QRect kPrintButtonPlace { 735, 410, 68, 28 };
constexpr QRect kExportButtonPlace { 805, 410, 68, 28 };
constexpr QRect kDetailsButtonPlace { 666, 410, 68, 28 };

// One edit of a quote sheet in the project's history. The edit is made before the command
// is kept, so its first redo does nothing.
class SheetEditCommand : public QUndoCommand {
public:
    SheetEditCommand(
        const QString& name, SheetChange change, KeptEdit kept, int sheet, QuoteSheetWindow::ApplyChange apply)
        : QUndoCommand(name)
        , m_change(std::move(change))
        , m_kept(std::move(kept))
        , m_sheet(sheet)
        , m_apply(std::move(apply))
    {
    }

    using Move = QuoteSheetWindow::Move;
    void undo() override { m_apply(m_change, m_kept, Move::Undone); }
    void redo() override { m_apply(m_change, m_kept, std::exchange(m_made, false) ? Move::Made : Move::Redone); }
    bool editsSheet(int sheet) const { return m_sheet == sheet; }

private:
    SheetChange m_change;
    KeptEdit m_kept; // the edit as the project keeps it, to be made again after a recompute
    int m_sheet; // which of the project's sheets: see QuoteSheetWindow::setHistory
    QuoteSheetWindow::ApplyChange m_apply;
    bool m_made = true;
};

// "撤销 删除此项": the menu names the edit it takes back.
QString historyName(const QString& verb, const QString& edit)
{
    return edit.isEmpty() ? verb : verb + QLatin1Char(' ') + edit;
}

} // namespace

QuoteSheetWindow::QuoteSheetWindow(DetailedQuote quote, QWidget* parent, ChatPicture chatPicture, PriceBook prices)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::QuoteSheetWindow>())
    , m_caption(std::move(quote.caption))
    , m_prices(std::move(prices))
{
    m_ui->setupUi(this);
    m_remarkHint = informationLabel()->text();
    // The caption stays the sheet's own (it names the package to the edits and on paper);
    // the window shows it in the interface language.
    setWindowTitle(m_caption == kHalfPackageCaption
            ? QCoreApplication::translate("QuoteSheetWindow", "半包装修详细报价")
            : IsFullPackageCaption(m_caption) ? QCoreApplication::translate("QuoteSheetWindow", "全包装修详细报价")
                                              : toQString(m_caption));
    m_model = new QuoteSheetModel(std::move(quote.sheet), this);
    setUpSheetView();
    // Not in the form: under "删除此项", beside 打印 and 导出. Made before them, so that Tab
    // goes along the row from left to right.
    m_detailsButton = new QPushButton(QCoreApplication::translate("QuoteSheetWindow", "报价详情…"), this);
    m_detailsButton->setObjectName(QStringLiteral("detailsButton"));
    m_detailsButton->setGeometry(kDetailsButtonPlace);
    m_detailsButton->setAutoDefault(false);
    connect(m_detailsButton, &QPushButton::clicked, this, &QuoteSheetWindow::detailsRequested);
    setUpDocumentActions();
    returnPressesFocusedButton(this);
    // A larger window gives its room to the sheet; the panel beside it keeps to the right.
    auto* anchors = new EdgeAnchors(this);
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<SpinnerButtons*>(control)) // it follows its edit box
            anchors->anchor(
                control, control == sheetView() ? Qt::RightEdge | Qt::BottomEdge : Qt::LeftEdge | Qt::RightEdge);
    }
    // The information label holds the company's nine lines in 132 pixels; at the window's
    // own size the hint on clicking an item would fall off its foot.
    QFont small = informationLabel()->font();
    small.setPixelSize(kInformationPixelSize);
    informationLabel()->setFont(small);

    connect(modifyButton(), &QPushButton::clicked, this, &QuoteSheetWindow::onModifyClicked);
    connect(deleteButton(), &QPushButton::clicked, this, &QuoteSheetWindow::onDeleteClicked);
    connect(addItemButton(), &QPushButton::clicked, this, &QuoteSheetWindow::onAddItemClicked);
    connect(designerHelpLink(), &HyperlinkLabel::released, this, &QuoteSheetWindow::onDesignerHelpReleased);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &QuoteSheetWindow::sheetEdited);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &QuoteSheetWindow::sheetEdited);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &QuoteSheetWindow::sheetEdited);
    connect(m_model, &QAbstractItemModel::modelReset, this, &QuoteSheetWindow::sheetEdited);
    setHistory(new QUndoStack(this), {}, 0);
    setUpHistoryKeys();

    if (chatPicture == ChatPicture::Load)
        startChatPicture(chatPictureBox());
}

QuoteSheetWindow::~QuoteSheetWindow() = default;

// The controls by role: the form's own names for them appear here and nowhere else.
// clang-format off
QTableView* QuoteSheetWindow::sheetView() const { return m_ui->超级列表框1; }
QLabel* QuoteSheetWindow::informationLabel() const { return m_ui->标签1; }
PictureBox* QuoteSheetWindow::chatPictureBox() const { return m_ui->图片框1; }
HyperlinkLabel* QuoteSheetWindow::designerHelpLink() const { return m_ui->超级链接框1; }
QLineEdit* QuoteSheetWindow::nameEdit() const { return m_ui->编辑框1; }
QLineEdit* QuoteSheetWindow::unitEdit() const { return m_ui->编辑框2; }
SpinEditBox* QuoteSheetWindow::quantityEdit() const { return m_ui->编辑框3; }
QLineEdit* QuoteSheetWindow::unitPriceEdit() const { return m_ui->编辑框4; }
QPushButton* QuoteSheetWindow::deleteButton() const { return m_ui->按钮1; }
QPushButton* QuoteSheetWindow::modifyButton() const { return m_ui->按钮3; }
QPushButton* QuoteSheetWindow::addItemButton() const { return m_ui->按钮2; }
// clang-format on

const QuoteSheet& QuoteSheetWindow::sheet() const
{
    return m_model->sheet();
}

void QuoteSheetWindow::setUpSheetView()
{
    QTableView* view = sheetView();
    view->setModel(m_model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows can be selected to copy them; the edits act on the one clicked last.
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    // Every row the same height: the view then places tens of thousands of rows without
    // measuring any of them.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    QHeaderView* headings = view->horizontalHeader();
    headings->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headings->setHighlightSections(false);
    for (int column = 0; column < kSheetColumnCount; ++column)
        headings->resizeSection(column, kColumnWidths[column]);
    // With the scroll bar for the rows the columns are a little wider than the sheet: the
    // total column gives up what is missing, and takes what a larger window gives.
    headings->resizeSection(kSheetColumnCount - 1, headings->minimumSectionSize());
    headings->setStretchLastSection(true);

    // Any button selects the row it presses on, so any press shows it: "修改" must never
    // write one row's fields into another row.
    connect(view, &QTableView::pressed, this, [this] { showSelectedRow(); });
    // Moving with the keys selects the new row before the current row changes. The view
    // also makes a row current without selecting it when it first gets the focus: that is
    // no click, and the fields stay empty.
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this, view](const QModelIndex& current) {
            if (!m_editing && view->selectionModel()->isRowSelected(current.row(), {}))
                showRow(current.row());
        });
    // A press below the last row reaches no row, so the view reports nothing: watch for it.
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);
}

bool QuoteSheetWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The view would copy its current cell alone; a spreadsheet wants the selected rows.
    if (watched == sheetView() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copySelectedRows();
        return true;
    }
    if (watched == sheetView()->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton && !sheetView()->indexAt(press->position().toPoint()).isValid())
            showSelectedRow();
    }
    return QDialog::eventFilter(watched, event);
}

int QuoteSheetWindow::selectedRow() const
{
    const QItemSelectionModel* selection = sheetView()->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row(), {}))
        return current.row();
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void QuoteSheetWindow::setUpDocumentActions()
{
    m_documents = new DocumentActions(this, [this] { return document(); });
    const auto buttons = m_documents->addButtons(
        kPrintButtonPlace, kExportButtonPlace, QCoreApplication::translate("QuoteSheetWindow", "报价单"));
    m_printButton = buttons.print;
    m_exportButton = buttons.exportFile;
    // Like the three buttons above, Return in the sheet does not press them.
    m_printButton->setAutoDefault(false);
    m_exportButton->setAutoDefault(false);

    sheetView()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sheetView(), &QWidget::customContextMenuRequested, this, &QuoteSheetWindow::showSheetMenu);
}

void QuoteSheetWindow::showSheetMenu(const QPoint& position)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(
        QCoreApplication::translate("QuoteSheetWindow", "复制"), this, &QuoteSheetWindow::copySelectedRows);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(sheetView()->selectionModel()->hasSelection());
    menu.addSeparator();
    // The added item goes with the room the user pointed at, not into the block above the
    // fees where a quote with many rooms leaves it far from the room it belongs to.
    const int row = sheetView()->indexAt(position).row();
    QAction* addToRoom = menu.addAction(
        QCoreApplication::translate("QuoteSheetWindow", "在此房间添加项…"), this, [this, row] { addItemToRoom(row); });
    addToRoom->setEnabled(RoomBlockEnd(m_model->sheet(), row) >= 0);
    menu.addSeparator();
    QAction* undoAction = menu.addAction(historyName(QCoreApplication::translate("QuoteSheetWindow", "撤销"),
                                             canUndoHere() ? m_history->undoText() : QString()),
        this, &QuoteSheetWindow::undo);
    undoAction->setShortcut(QKeySequence::Undo);
    undoAction->setEnabled(canUndoHere());
    QAction* redoAction = menu.addAction(historyName(QCoreApplication::translate("QuoteSheetWindow", "重做"),
                                             canRedoHere() ? m_history->redoText() : QString()),
        this, &QuoteSheetWindow::redo);
    redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    redoAction->setEnabled(canRedoHere());
    menu.addSeparator();
    menu.addAction(QCoreApplication::translate("QuoteSheetWindow", "打印…"), QKeySequence::Print, m_documents,
        &DocumentActions::printWithPreview);
    menu.addAction(
        QCoreApplication::translate("QuoteSheetWindow", "导出…"), m_documents, &DocumentActions::exportWithDialog);
    menu.exec(sheetView()->viewport()->mapToGlobal(position));
}

QuoteDocument QuoteSheetWindow::document() const
{
    const QuoteDetails details = m_details ? m_details() : QuoteDetails {};
    QuoteDocument document = SheetDocument(
        m_model->sheet(), m_caption, DetailFields(details, m_prices.name()), QuoteDate(details, TodayText()));
    if (m_builtFrom)
        StateQuoteBasis(document, *m_builtFrom);
    return document;
}

void QuoteSheetWindow::copySelectedRows()
{
    std::vector<int> rows;
    for (const QModelIndex& index : sheetView()->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty())
        return;
    std::sort(rows.begin(), rows.end());
    const ClipboardText copied = RowsForClipboard(document(), rows);
    auto* data = new QMimeData;
    data->setText(toQString(copied.tabSeparated));
    data->setHtml(toQString(copied.html));
    QGuiApplication::clipboard()->setMimeData(data);
}

void QuoteSheetWindow::showSelectedRow()
{
    showRow(selectedRow());
}

void QuoteSheetWindow::showRow(int row)
{
    const ItemFields fields = FieldsOfRow(m_model->sheet(), row);
    nameEdit()->setText(toQString(fields.name));
    unitEdit()->setText(toQString(fields.unit));
    quantityEdit()->setText(toQString(fields.quantity));
    unitPriceEdit()->setText(toQString(fields.unitPrice));
    // An item without a remark brings back the company's lines and the hint: a remark left
    // standing would read as the remark of the item now selected.
    const auto remark = ItemRemark(fields.name);
    informationLabel()->setText(remark ? toQString(*remark) : m_remarkHint);
}

void QuoteSheetWindow::onModifyClicked()
{
    const int row = selectedRow();
    const ItemFields fields { fromQString(nameEdit()->text()), fromQString(unitEdit()->text()),
        fromQString(quantityEdit()->text()), fromQString(unitPriceEdit()->text()) };
    // A total that would be "inf" or past the whole-yuan range is refused before anything
    // changes; the fields keep what the user typed, to be corrected.
    m_editing = true;
    const KeptEdit kept = KeepEdit(m_model->sheet(), KeptEditKind::Modify, row, fields);
    const bool made = record(
        QCoreApplication::translate("QuoteSheetWindow", "修改"), kept, [&](QuoteSheet& sheet, SheetListener* listener) {
            return TryModifyRow(sheet, m_caption, row, fields, m_prices, listener);
        });
    m_editing = false;
    if (made)
        selectAfterEdit(row);
}

void QuoteSheetWindow::onDeleteClicked()
{
    const int row = selectedRow();
    m_editing = true;
    const KeptEdit kept = KeepEdit(m_model->sheet(), KeptEditKind::Delete, row, {});
    const bool made = record(QCoreApplication::translate("QuoteSheetWindow", "删除此项"), kept,
        [&](QuoteSheet& sheet, SheetListener* listener) {
            return TryDeleteRow(sheet, m_caption, row, m_prices, listener);
        });
    if (!made) {
        m_editing = false;
        return;
    }
    // The deleted row cannot stay selected, and selecting its neighbour would let a second
    // press delete a row the user never picked. Its item goes from the fields with it.
    sheetView()->clearSelection();
    m_editing = false;
    if (row >= 0)
        showRow(-1);
    selectAfterEdit(-1);
    if (row >= 0 && m_model->rowCount() > 0)
        sheetView()->scrollTo(m_model->index(std::min(row, m_model->rowCount() - 1), 0));
}

std::optional<Text> QuoteSheetWindow::recordAdd(
    const QString& name, const KeptEdit& kept, const QuoteSheetModel::Edit& edit)
{
    EditOutcome outcome = m_model->edit(edit);
    if (outcome.refusal)
        return outcome.refusal;
    if (!outcome.change.empty())
        m_history->push(new SheetEditCommand(name, std::move(outcome.change), kept, m_sheetTag, m_apply));
    return std::nullopt;
}

bool QuoteSheetWindow::record(const QString& name, const KeptEdit& kept, const QuoteSheetModel::Edit& edit)
{
    if (const auto problem = recordAdd(name, kept, edit)) {
        showMessage(this, toQString(*problem), QMessageBox::Warning);
        return false;
    }
    return true;
}

void QuoteSheetWindow::setHistory(QUndoStack* history, ApplyChange apply, int sheet)
{
    m_history = history;
    m_sheetTag = sheet;
    m_apply = apply ? std::move(apply) : [this](const SheetChange& change, const KeptEdit&, Move move) {
        if (move != Move::Made)
            applyChange(change, move == Move::Undone);
    };
}

void QuoteSheetWindow::applyChange(const SheetChange& change, bool undo)
{
    const int rowsBefore = m_model->rowCount();
    m_editing = true;
    if (undo)
        m_model->undo(change);
    else
        m_model->redo(change);
    sheetView()->clearSelection();
    m_editing = false;
    // The row the edit began at comes into view and is selected, so the user sees what
    // came back or changed again. When rows went, nothing is selected, as after 删除此项:
    // a second press must not delete a row the user never picked.
    const int row = change.firstRow();
    if (m_model->rowCount() < rowsBefore || row < 0) {
        showRow(-1);
        selectAfterEdit(-1);
        if (row >= 0 && m_model->rowCount() > 0)
            sheetView()->scrollTo(m_model->index(std::min(row, m_model->rowCount() - 1), 0));
        return;
    }
    selectAfterEdit(row);
    showRow(row);
}

bool QuoteSheetWindow::canUndoHere() const
{
    const auto* top = dynamic_cast<const SheetEditCommand*>(m_history->command(m_history->index() - 1));
    return top != nullptr && top->editsSheet(m_sheetTag);
}

bool QuoteSheetWindow::canRedoHere() const
{
    const auto* next = dynamic_cast<const SheetEditCommand*>(m_history->command(m_history->index()));
    return next != nullptr && next->editsSheet(m_sheetTag);
}

void QuoteSheetWindow::undo()
{
    if (canUndoHere())
        m_history->undo();
}

void QuoteSheetWindow::redo()
{
    if (canRedoHere())
        m_history->redo();
}

void QuoteSheetWindow::setUpHistoryKeys()
{
    // The window is modal: the main window's 编辑 menu is out of reach, so the keys are its
    // own. In a text field the field's own undo comes first (Qt gives it the key).
    const auto add = [this](const QList<QKeySequence>& keys, void (QuoteSheetWindow::*slot)()) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    add({ QKeySequence::Undo }, &QuoteSheetWindow::undo);
    add({ QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) },
        &QuoteSheetWindow::redo);
}

void QuoteSheetWindow::selectAfterEdit(int row)
{
    QTableView* view = sheetView();
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row, 0);
        view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->scrollTo(index);
    }
    view->setFocus(Qt::OtherFocusReason);
}

void QuoteSheetWindow::onAddItemClicked()
{
    AddItemDialog dialog(*m_model, m_caption, this, m_prices);
    dialog.setAdder([this](const AddedItem& item) {
        const KeptEdit kept
            = KeepEdit(m_model->sheet(), KeptEditKind::Add, -1, { item.name, {}, item.quantity, item.unitPrice });
        return recordAdd(QCoreApplication::translate("QuoteSheetWindow", "确定添加"), kept,
            [&](QuoteSheet& sheet, SheetListener* listener) {
                return TryAddItem(sheet, m_caption, item, m_prices, listener);
            });
    });
    dialog.exec();
}

void QuoteSheetWindow::addItemToRoom(int row)
{
    AddItemDialog dialog(*m_model, m_caption, this, m_prices);
    dialog.setAdder([this, row](const AddedItem& item) {
        const KeptEdit kept = KeepEdit(
            m_model->sheet(), KeptEditKind::AddToRoom, row, { item.name, {}, item.quantity, item.unitPrice });
        return recordAdd(QCoreApplication::translate("QuoteSheetWindow", "在此房间添加项"), kept,
            [&](QuoteSheet& sheet, SheetListener* listener) {
                return TryAddItemToRoom(sheet, m_caption, row, item, m_prices, listener);
            });
    });
    dialog.exec();
}

void QuoteSheetWindow::onDesignerHelpReleased()
{
    ContactWindow contact(this);
    contact.exec();
}

} // namespace rq
