// 价格表: the user's price books, one at a time in a table of its sections, searched from the
// box above it. A price is typed over in place; 调价… raises or lowers a section or the whole
// book; 恢复默认价格 puts the company's figures back; books come in and go out as JSON, CSV
// or XLSX. Every change to a kept book is written at once to its file on the shelf;
// 默认价格表 is the program's own and is only read (另存为… makes a copy to change).
// One book is chosen for new quotes.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "prices/price_book_shelf.h"
#include "prices/price_edits.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace rq {

class PriceBookModel;

class PriceBookWindow : public QDialog {
    Q_OBJECT

public:
    PriceBookWindow(PriceBookShelf shelf, QWidget* parent = nullptr);
    ~PriceBookWindow() override;

    // Tests answer the file dialogs and the name question without a person.
    using FileChooser = std::function<QString(bool forSaving)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    using NameAsker = std::function<std::optional<QString>(const QString& suggested)>;
    void setNameAsker(NameAsker asker) { m_askName = std::move(asker); }

    const PriceBook& book() const;
    PriceBookModel* model() const { return m_model; }

    QComboBox* bookBox() const { return m_books; }
    QLineEdit* searchEdit() const { return m_search; }
    QTableView* table() const { return m_table; }
    QCheckBox* chosenBox() const { return m_chosen; }
    QPushButton* adjustButton() const { return m_adjust; }
    QPushButton* restoreButton() const { return m_restore; }
    QPushButton* importButton() const { return m_import; }
    QPushButton* exportButton() const { return m_export; }
    QPushButton* saveAsButton() const { return m_saveAs; }
    QPushButton* deleteButton() const { return m_delete; }

public Q_SLOTS:
    void onAdjustClicked();
    void onRestoreClicked();
    void onImportClicked();
    void onExportClicked();
    void onSaveAsClicked();
    void onDeleteClicked();

private:
    void buildControls();
    void connectHandlers();
    void fillBookBox(const Text& select);
    void showBook(const Text& name);
    void keepEdits(const std::vector<PriceChange>& changes);
    void onChosenToggled(bool chosen);
    // Keeps `book` on the shelf under a name the user gives (suggesting `suggested`), asking
    // before replacing a kept book; false when the user gave up or it could not be written.
    bool keepAsNamed(PriceBook book, const QString& suggested);
    void updateControls();
    QString chooseFile(bool forSaving);

    PriceBookShelf m_shelf;
    PriceBookModel* m_model = nullptr;
    QSortFilterProxyModel* m_filter = nullptr;
    QComboBox* m_books = nullptr;
    QCheckBox* m_chosen = nullptr;
    QLineEdit* m_search = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_hint = nullptr;
    QPushButton* m_adjust = nullptr;
    QPushButton* m_restore = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_saveAs = nullptr;
    QPushButton* m_delete = nullptr;
    FileChooser m_chooseFile;
    NameAsker m_askName;
    // While the window itself fills the controls, their signals are not the user's.
    bool m_filling = false;
};

} // namespace rq
