// The quote sheet window: the detailed quote row by row, with the clicked row's item in
// four fields and its remark beside the sheet. "修改", "删除此项" and "添加项" change the
// sheet through the core's sheet edits; the table only shows what the sheet says.
#pragma once

#include <functional>
#include <memory>

#include <QDialog>

#include "document/quote_document.h"
#include "quote/engine.h"

namespace Ui {
class QuoteSheetWindow;
}

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace rq {

class HyperlinkLabel;
class PictureBox;
class DocumentActions;
class QuoteSheetModel;
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
    // "复制" and Ctrl+C: the selected rows as cells for a spreadsheet.
    void copySelectedRows();

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
    // After an edit: the row stays selected and in view, and the keys go to the sheet.
    void selectAfterEdit(int row);

    std::unique_ptr<Ui::QuoteSheetWindow> m_ui;
    QuoteSheetModel* m_model = nullptr;
    DocumentActions* m_documents = nullptr;
    std::function<QuoteDetails()> m_details;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    Text m_caption;
    PriceBook m_prices;
    QString m_remarkHint;  // what the remark label shows when no item with a remark is selected
    // While an edit reshapes the sheet the view moves its current row by itself; those
    // moves are not clicks and must not overwrite the fields the user is editing.
    bool m_editing = false;
    // Not in the form: it sits in the free strip under the three edit buttons.
    QPushButton* m_detailsButton = nullptr;
};

} // namespace rq
