// The quote sheet window: the detailed quote row by row, with the clicked row's item in
// four fields and its remark beside the sheet. "修改", "删除此项" and "添加项" change the
// sheet through the core's sheet edits; the table only shows what the sheet says.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QDialog>

#include "document/quote_document.h"
#include "quote/engine.h"
#include "sheet/kept_edits.h"
#include "sheet/quote_sheet_model.h"

namespace Ui {
class QuoteSheetWindow;
}

class QAction;
class QLabel;
class QUndoStack;
class QLineEdit;
class QPushButton;
class QTableView;

namespace rq {

class HyperlinkLabel;
class PictureBox;
class DocumentActions;
class SpinEditBox;

class QuoteSheetWindow : public QDialog {
    Q_OBJECT

public:
    // Whether the chat-status picture is downloaded when the window opens (tests say no).
    enum class ChatPicture { Load, Skip };

    // `prices` is the book the sheet was priced with: an added item rebuilds the fees at its rates.
    QuoteSheetWindow(DetailedQuote quote, QWidget* parent, ChatPicture chatPicture = ChatPicture::Load,
        PriceBook prices = BuiltInPriceBook());
    ~QuoteSheetWindow() override;

    const QuoteSheet& sheet() const;
    const Text& caption() const { return m_caption; }
    // The row the edits act on: the selected row, or -1 when none is selected. With
    // several rows selected (to copy them), the one the user clicked last.
    int selectedRow() const;

    // The sheet as it is printed and exported, and the print and export actions on it.
    QuoteDocument document() const;
    DocumentActions& documentActions() const { return *m_documents; }
    // Where the quote details of the printed and exported document come from (the
    // project's, asked each time so that a change shows in the next print); none: empty.
    void setDetailsSource(std::function<QuoteDetails()> source) { m_details = std::move(source); }
    // The rooms and choices the sheet was computed from, which its documents state.
    void setBuiltFrom(QuoteInputs inputs) { m_builtFrom = std::move(inputs); }
    // "复制" and Ctrl+C: the selected rows as cells for a spreadsheet.
    void copySelectedRows();

    // Where the sheet's edits are kept to be undone: the project's history, and how an
    // edit made, taken back or made again reaches this package's sheet wherever it lives
    // then (this window's table while it is open) and the list of edits the project keeps
    // beside it. `sheet` tells the project's sheets apart (the package). Without one the
    // window keeps a history of its own.
    // Made: the edit is on the table already; only the kept edit is new.
    enum class Move { Made, Undone, Redone };
    using ApplyChange = std::function<void(const SheetChange& change, const KeptEdit& kept, Move move)>;
    void setHistory(QUndoStack* history, ApplyChange apply, int sheet);
    QUndoStack* history() const { return m_history; }
    // Takes back, or makes again, an edit on this window's table.
    void applyChange(const SheetChange& change, bool undo);
    // 撤销 and 重做 here reach only this sheet's own edits, never a room or choice of the
    // main window under this modal window.
    bool canUndoHere() const;
    bool canRedoHere() const;
    void undo();
    void redo();

Q_SIGNALS:
    // A row was changed, deleted or added: the project has unsaved changes.
    void sheetEdited();
    // "报价详情…": the owner of the project opens its quote details.
    void detailsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls by role: the sheet, the company's side panel, the clicked item's fields
    // and the three edit buttons.
    QTableView* sheetView() const;
    PictureBox* chatPictureBox() const;
    QLabel* informationLabel() const;
    HyperlinkLabel* designerHelpLink() const;
    QLineEdit* nameEdit() const;
    QLineEdit* unitEdit() const;
    SpinEditBox* quantityEdit() const;
    QLineEdit* unitPriceEdit() const;
    QPushButton* deleteButton() const;
    QPushButton* modifyButton() const;
    QPushButton* addItemButton() const;
    QPushButton* printButton() const { return m_printButton; }
    QPushButton* exportButton() const { return m_exportButton; }
    QPushButton* detailsButton() const { return m_detailsButton; }

    void setUpSheetView();
    void setUpDocumentActions();
    void showSheetMenu(const QPoint& position);
    void showRow(int row);
    void showSelectedRow();
    void onModifyClicked();
    void onDeleteClicked();
    void onAddItemClicked();
    // "在此房间添加项…": the add-item dialog, whose item goes at the end of the room of `row`.
    void addItemToRoom(int row);
    void onDesignerHelpReleased();
    void setUpHistoryKeys();
    // Makes a checked edit on the table and keeps it in the history under `name`; the
    // refusal, if any, is shown and nothing changes.
    bool record(const QString& name, const KeptEdit& kept, const QuoteSheetModel::Edit& edit);
    std::optional<Text> recordAdd(const QString& name, const KeptEdit& kept, const QuoteSheetModel::Edit& edit);
    // After an edit: the row stays selected and in view, and the keys go to the sheet.
    void selectAfterEdit(int row);

    std::unique_ptr<Ui::QuoteSheetWindow> m_ui;
    QuoteSheetModel* m_model = nullptr;
    DocumentActions* m_documents = nullptr;
    std::function<QuoteDetails()> m_details;
    std::optional<QuoteInputs> m_builtFrom;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    Text m_caption;
    PriceBook m_prices;
    QUndoStack* m_history = nullptr;
    ApplyChange m_apply;
    int m_sheetTag = 0;
    QString m_remarkHint;  // what the remark label shows when no item with a remark is selected
    // While an edit reshapes the sheet the view moves its current row by itself; those
    // moves are not clicks and must not overwrite the fields the user is editing.
    bool m_editing = false;
    // Not in the form: it sits in the free strip under the three edit buttons.
    QPushButton* m_detailsButton = nullptr;
};

} // namespace rq
