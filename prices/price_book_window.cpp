#include "prices/price_book_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "modules/price_book_output.h"
#include "prices/price_adjust_dialog.h"
#include "prices/price_book_file.h"
#include "prices/price_book_model.h"
#include "qtcore/qt_text.h"
#include "ui/message_box.h"

namespace rq {

namespace {

QString readOnlyHint()
{
    return QCoreApplication::translate(
        "PriceBookWindow", "默认价格表是程序自带的，不能修改：点“另存为…”复制一份再改。");
}
QString editHint()
{
    return QCoreApplication::translate("PriceBookWindow", "双击单价修改，改动立即保存。");
}
QString estimateNote()
{
    return QCoreApplication::translate("PriceBookWindow", "快速估算用的是按档次拟合的系数，不取自价格表。");
}

} // namespace

PriceBookWindow::PriceBookWindow(PriceBookShelf shelf, QWidget* parent)
    : QDialog(parent)
    , m_shelf(std::move(shelf))
{
    setWindowTitle(QCoreApplication::translate("PriceBookWindow", "价格表"));
    buildControls();
    connectHandlers();
    const Text chosen = m_shelf.ChosenName();
    fillBookBox(chosen);
    showBook(chosen);
    resize(720, 520);
    m_table->setFocus();
}

PriceBookWindow::~PriceBookWindow() = default;

const PriceBook& PriceBookWindow::book() const
{
    return m_model->book();
}

void PriceBookWindow::buildControls()
{
    m_books = new QComboBox(this);
    m_books->setMinimumContentsLength(16);
    m_books->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* booksLabel = new QLabel(QCoreApplication::translate("PriceBookWindow", "价格表(&B)："), this);
    booksLabel->setBuddy(m_books);
    m_chosen = new QCheckBox(QCoreApplication::translate("PriceBookWindow", "新报价用这个价格表(&U)"), this);
    m_saveAs = new QPushButton(QCoreApplication::translate("PriceBookWindow", "另存为(&A)…"), this);
    m_delete = new QPushButton(QCoreApplication::translate("PriceBookWindow", "删除(&D)"), this);
    auto* top = new QHBoxLayout;
    top->addWidget(booksLabel);
    top->addWidget(m_books, 1);
    top->addWidget(m_chosen);
    top->addWidget(m_saveAs);
    top->addWidget(m_delete);

    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(QCoreApplication::translate("PriceBookWindow", "搜索分类、项目或单位"));
    m_search->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(QCoreApplication::translate("PriceBookWindow", "搜索(&F)："), this);
    searchLabel->setBuddy(m_search);
    auto* search = new QHBoxLayout;
    search->addWidget(searchLabel);
    search->addWidget(m_search, 1);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, m_search, [this] {
        m_search->setFocus();
        m_search->selectAll();
    });

    m_model = new PriceBookModel(this);
    m_filter = new QSortFilterProxyModel(this);
    m_filter->setSourceModel(m_model);
    m_filter->setFilterKeyColumn(-1);
    m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_table = new QTableView(this);
    m_table->setModel(m_filter);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    m_table->verticalHeader()->hide();
    // A list of a hundred prices: rows as tall as their text, so that a screen shows many.
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(PriceBookModel::Item, QHeaderView::Stretch);
    // Room for a price being typed, wider than the prices shown.
    m_table->horizontalHeader()->setSectionResizeMode(PriceBookModel::Price, QHeaderView::Interactive);
    m_table->setColumnWidth(PriceBookModel::Price, fontMetrics().horizontalAdvance(QStringLiteral("000000.00")) + 16);
    m_table->setTabKeyNavigation(false);

    m_hint = new QLabel(this);
    m_hint->setWordWrap(true);
    auto* note = new QLabel(estimateNote(), this);
    note->setWordWrap(true);

    m_adjust = new QPushButton(QCoreApplication::translate("PriceBookWindow", "调价(&P)…"), this);
    m_restore = new QPushButton(QCoreApplication::translate("PriceBookWindow", "恢复默认价格(&R)"), this);
    m_import = new QPushButton(QCoreApplication::translate("PriceBookWindow", "导入(&I)…"), this);
    m_export = new QPushButton(QCoreApplication::translate("PriceBookWindow", "导出(&E)…"), this);
    auto* close = new QPushButton(QCoreApplication::translate("PriceBookWindow", "关闭"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : { m_adjust, m_restore, m_import, m_export })
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(close);
    for (QPushButton* button : { m_adjust, m_restore, m_import, m_export, m_saveAs, m_delete, close })
        button->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(search);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_hint);
    layout->addWidget(note);
    layout->addLayout(buttons);
}

void PriceBookWindow::connectHandlers()
{
    connect(m_books, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        if (!m_filling)
            showBook(fromQString(name));
    });
    connect(m_chosen, &QCheckBox::toggled, this, &PriceBookWindow::onChosenToggled);
    connect(m_search, &QLineEdit::textChanged, m_filter, &QSortFilterProxyModel::setFilterFixedString);
    connect(m_model, &PriceBookModel::bookEdited, this, &PriceBookWindow::keepEdits);
    connect(m_model, &PriceBookModel::editRefused, this,
        [this](const QString& problem) { showMessage(this, problem, QMessageBox::Warning); });
    connect(m_adjust, &QPushButton::clicked, this, &PriceBookWindow::onAdjustClicked);
    connect(m_restore, &QPushButton::clicked, this, &PriceBookWindow::onRestoreClicked);
    connect(m_import, &QPushButton::clicked, this, &PriceBookWindow::onImportClicked);
    connect(m_export, &QPushButton::clicked, this, &PriceBookWindow::onExportClicked);
    connect(m_saveAs, &QPushButton::clicked, this, &PriceBookWindow::onSaveAsClicked);
    connect(m_delete, &QPushButton::clicked, this, &PriceBookWindow::onDeleteClicked);
}

void PriceBookWindow::fillBookBox(const Text& select)
{
    const QScopedValueRollback filling(m_filling, true);
    m_books->clear();
    for (const Text& name : m_shelf.Names())
        m_books->addItem(toQString(name));
    const int index = m_books->findText(toQString(select));
    m_books->setCurrentIndex(index < 0 ? 0 : index);
}

void PriceBookWindow::showBook(const Text& name)
{
    Outcome<PriceBook> book = m_shelf.Load(name);
    if (!book) {
        showMessage(this, toQString(book.problem), QMessageBox::Warning);
        // A broken file stays listed, so that it can be deleted; the default is shown.
        book = BuiltInPriceBook();
    }
    m_model->setBook(std::move(*book.value));
    updateControls();
}

void PriceBookWindow::updateControls()
{
    const Text current = fromQString(m_books->currentText());
    const bool builtIn = current == kBuiltInBookName || m_model->book().name() != current;
    m_model->setEditable(!builtIn);
    m_adjust->setEnabled(!builtIn);
    m_restore->setEnabled(!builtIn);
    m_delete->setEnabled(current != kBuiltInBookName);
    m_hint->setText(builtIn ? readOnlyHint() : editHint());
    const QScopedValueRollback filling(m_filling, true);
    m_chosen->setChecked(m_shelf.ChosenName() == current);
    // New quotes fall back on the company's book: there is nothing to untick it for.
    m_chosen->setEnabled(!(m_chosen->isChecked() && current == kBuiltInBookName));
}

void PriceBookWindow::keepEdits(const std::vector<PriceChange>& changes)
{
    if (const std::optional<Text> problem = m_shelf.Save(m_model->book())) {
        // What is not kept is not shown either: the table goes back to the file's figures.
        PriceBook kept = m_model->book();
        UndoPriceChanges(kept, changes);
        m_model->setBook(std::move(kept));
        showMessage(this,
            QCoreApplication::translate("PriceBookWindow", "无法保存价格表“%1”，改动已撤回：%2")
                .arg(toQString(m_model->book().name()), toQString(*problem)),
            QMessageBox::Warning);
    }
}

void PriceBookWindow::onChosenToggled(bool chosen)
{
    if (m_filling)
        return;
    const Text name = chosen ? fromQString(m_books->currentText()) : Text(kBuiltInBookName);
    if (const std::optional<Text> problem = m_shelf.Choose(name))
        showMessage(this,
            QCoreApplication::translate("PriceBookWindow", "无法记下新报价用的价格表：") + toQString(*problem),
            QMessageBox::Warning);
    updateControls();
}

void PriceBookWindow::onAdjustClicked()
{
    PriceAdjustDialog dialog(BookSections(m_model->book()), this);
    if (dialog.exec() != QDialog::Accepted || dialog.percentHundredths() == 0)
        return;
    const Text section = dialog.section();
    const std::int64_t percent = dialog.percentHundredths();
    const PriceRounding rounding = dialog.rounding();
    if (const std::optional<Text> problem = m_model->apply(
            [&](PriceBook& book) { return AdjustPrices(book, section, percent, rounding); }))
        showMessage(this, toQString(*problem), QMessageBox::Warning);
}

void PriceBookWindow::onRestoreClicked()
{
    const QString question
        = QCoreApplication::translate("PriceBookWindow", "把价格表“%1”的每一个单价和费率都恢复为默认价格表的吗？")
              .arg(toQString(m_model->book().name()));
    if (askQuestion(this, question,
            { QCoreApplication::translate("PriceBookWindow", "恢复(&R)"),
                QCoreApplication::translate("PriceBookWindow", "取消(&C)") },
            1, 1)
        != 0)
        return;
    m_model->apply([](PriceBook& book) { return RestoreBuiltInPrices(book); });
}

QString PriceBookWindow::chooseFile(bool forSaving)
{
    if (m_chooseFile)
        return m_chooseFile(forSaving);
    const QString filter = QCoreApplication::translate(
        "PriceBookWindow", "价格表 (*.renoquote-prices *.json *.csv *.xlsx);;所有文件 (*)");
    return forSaving ? QFileDialog::getSaveFileName(this, QCoreApplication::translate("PriceBookWindow", "导出价格表"),
               toQString(m_model->book().name()) + QStringLiteral(".renoquote-prices"),
               QCoreApplication::translate(
                   "PriceBookWindow", "价格表 (*.renoquote-prices);;JSON (*.json);;CSV (*.csv);;Excel 工作簿 (*.xlsx)"))
                     : QFileDialog::getOpenFileName(
                         this, QCoreApplication::translate("PriceBookWindow", "导入价格表"), QString(), filter);
}

bool PriceBookWindow::keepAsNamed(PriceBook book, const QString& suggested)
{
    QString name = suggested;
    for (;;) {
        const std::optional<QString> given = m_askName ? m_askName(name) : [&]() -> std::optional<QString> {
            bool ok = false;
            const QString text
                = QInputDialog::getText(this, QCoreApplication::translate("PriceBookWindow", "价格表的名字"),
                    QCoreApplication::translate("PriceBookWindow", "价格表的名字(&N)："), QLineEdit::Normal, name, &ok);
            return ok ? std::optional<QString>(text) : std::nullopt;
        }();
        if (!given)
            return false;
        name = given->trimmed();
        if (const std::optional<Text> problem = PriceBookShelf::NameProblem(fromQString(name))) {
            showMessage(this, toQString(*problem), QMessageBox::Warning);
            continue;
        }
        if (m_shelf.Holds(fromQString(name))) {
            const QString question
                = QCoreApplication::translate("PriceBookWindow", "已经有一个叫“%1”的价格表，要替换它吗？").arg(name);
            const int answer = askQuestion(this, question,
                { QCoreApplication::translate("PriceBookWindow", "替换(&R)"),
                    QCoreApplication::translate("PriceBookWindow", "换个名字(&N)"),
                    QCoreApplication::translate("PriceBookWindow", "取消(&C)") },
                1, 2);
            if (answer == 2)
                return false;
            if (answer != 0)
                continue;
        }
        break;
    }
    book.setName(fromQString(name));
    if (const std::optional<Text> problem = m_shelf.Save(book)) {
        showMessage(this,
            QCoreApplication::translate("PriceBookWindow", "无法保存价格表“%1”：%2").arg(name, toQString(*problem)),
            QMessageBox::Warning);
        return false;
    }
    fillBookBox(book.name());
    showBook(book.name());
    return true;
}

void PriceBookWindow::onImportClicked()
{
    const QString path = chooseFile(false);
    if (path.isEmpty())
        return;
    const Outcome<PriceBook> read = ReadPriceBookFile(fromQString(path));
    if (!read) {
        // Every refused line, as the file's reader names them; nothing was taken.
        showMessage(this,
            QCoreApplication::translate("PriceBookWindow", "没有导入，价格表有问题：\n") + toQString(read.problem),
            QMessageBox::Warning);
        return;
    }
    const Text name = read.value->name();
    keepAsNamed(*read.value,
        name == kBuiltInBookName ? QFileInfo(path).completeBaseName() : toQString(name));
}

void PriceBookWindow::onExportClicked()
{
    QString path = chooseFile(true);
    if (path.isEmpty())
        return;
    const QString returned = path;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QStringLiteral("json") && suffix != QStringLiteral("csv") && suffix != QStringLiteral("xlsx")
        && suffix != QStringLiteral("renoquote-prices"))
        path += QStringLiteral(".renoquote-prices");
    if (!mayReplaceFile(this, returned, path))
        return;
    if (const std::optional<Text> problem = WritePriceBookFile(fromQString(path), m_model->book()))
        showMessage(this, QCoreApplication::translate("PriceBookWindow", "无法导出价格表：") + toQString(*problem),
            QMessageBox::Warning);
}

void PriceBookWindow::onSaveAsClicked()
{
    const Text name = m_model->book().name();
    keepAsNamed(m_model->book(),
        name == kBuiltInBookName ? QStringLiteral("我的价格表") : toQString(name) + QStringLiteral(" 副本"));
}

void PriceBookWindow::onDeleteClicked()
{
    const QString name = m_books->currentText();
    const QString question
        = QCoreApplication::translate("PriceBookWindow", "删除价格表“%1”吗？已经报好的项目仍保留它们自己的价格。")
              .arg(name);
    if (askQuestion(this, question,
            { QCoreApplication::translate("PriceBookWindow", "删除(&D)"),
                QCoreApplication::translate("PriceBookWindow", "取消(&C)") },
            1, 1)
        != 0)
        return;
    if (const std::optional<Text> problem = m_shelf.Remove(fromQString(name))) {
        showMessage(this, toQString(*problem), QMessageBox::Warning);
        return;
    }
    const Text chosen = m_shelf.ChosenName();
    fillBookBox(chosen);
    showBook(fromQString(m_books->currentText()));
}

} // namespace rq
