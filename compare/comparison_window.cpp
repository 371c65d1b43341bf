#include "compare/comparison_window.h"

#include <QChartView>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

#include "document/comparison_document.h"
#include "printing/document_chart.h"
#include "qtcore/qt_text.h"
#include "ui/button_keys.h"
#include "ui/document_actions.h"

namespace rq {
namespace {

enum OptionColumn { kHalfTotal, kHalfDifference, kFullTotal, kFullDifference, kEstimateHalf, kEstimateFull, kOptionColumns };

constexpr const char* kOptionHeads[kOptionColumns] = { QT_TRANSLATE_NOOP("ComparisonWindow", "半包 工程总造价"),
    QT_TRANSLATE_NOOP("ComparisonWindow", "与所选相差"), QT_TRANSLATE_NOOP("ComparisonWindow", "全包 全包总价格"),
    QT_TRANSLATE_NOOP("ComparisonWindow", "与所选相差"), QT_TRANSLATE_NOOP("ComparisonWindow", "快速估算 半包"),
    QT_TRANSLATE_NOOP("ComparisonWindow", "快速估算 全包") };

// The core's refusal of a comparison without rooms, in the window's language.
constexpr char kNoRoomsText[] = QT_TRANSLATE_NOOP("ComparisonWindow", "至少要添加1房间！");
static_assert(std::string_view(kNoRoomsText) == kNoRoomsMessage);

QTableWidgetItem* Cell(const Text& text, bool figure = true)
{
    auto* item = new QTableWidgetItem(toQString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment((figure ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return item;
}

Text OptionName(int grade, Package package) { return Text(kGradeNames[grade]) + " " + Text(PackageTextOf(package)); }

QTableWidget* MakeTable(QWidget* parent, const QString& name)
{
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setAlternatingRowColors(true);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

}  // namespace

ComparisonWindow::ComparisonWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("comparisonWindow"));
    setWindowTitle(toQString(kComparisonTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1180, 740);

    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    m_content = new QWidget(this);
    auto* contentLayout = new QVBoxLayout(m_content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    m_options = MakeTable(m_content, QStringLiteral("optionsTable"));
    m_options->setColumnCount(kOptionColumns);
    for (int column = 0; column < kOptionColumns; ++column)
        m_options->setHorizontalHeaderItem(
            column, new QTableWidgetItem(QCoreApplication::translate("ComparisonWindow", kOptionHeads[column])));
    m_options->setRowCount(kGradeCount);
    for (int grade = 0; grade < kGradeCount; ++grade)
        m_options->setVerticalHeaderItem(grade, new QTableWidgetItem(toQString(kGradeNames[grade])));
    m_options->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_options->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_options->setToolTip(QCoreApplication::translate("ComparisonWindow", "双击一个方案，打开它的详细报价单"));
    connect(m_options, &QTableWidget::cellDoubleClicked, this, &ComparisonWindow::onCellDoubleClicked);
    m_options->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_options->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    top->addWidget(m_options, 0, Qt::AlignTop);
    m_chart = new QChartView(m_content);
    m_chart->setObjectName(QStringLiteral("chartView"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumSize(420, 300);
    top->addWidget(m_chart, 1);
    contentLayout->addLayout(top, 3);
    auto* partsHead
        = new QLabel(QCoreApplication::translate("ComparisonWindow", "各方案的钱花在哪里(元)："), m_content);
    contentLayout->addWidget(partsHead);
    m_parts = MakeTable(m_content, QStringLiteral("partsTable"));
    contentLayout->addWidget(m_parts, 2);
    layout->addWidget(m_content, 1);

    m_documents = new DocumentActions(this, [this] { return document(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* print = new QPushButton(QCoreApplication::translate("ComparisonWindow", "打印(&P)…"), this);
    print->setObjectName(QStringLiteral("printButton"));
    print->setToolTip(QCoreApplication::translate("ComparisonWindow", "预览并打印方案对比 (Ctrl+P)"));
    auto* exportFile = new QPushButton(QCoreApplication::translate("ComparisonWindow", "导出(&E)…"), this);
    exportFile->setObjectName(QStringLiteral("exportButton"));
    exportFile->setToolTip(QCoreApplication::translate("ComparisonWindow", "把方案对比存为 PDF、Excel 或 CSV 文件"));
    auto* close = new QPushButton(QCoreApplication::translate("ComparisonWindow", "关闭"), this);
    m_printButton = print;
    m_exportButton = exportFile;
    connect(print, &QPushButton::clicked, m_documents, &DocumentActions::printWithPreview);
    connect(exportFile, &QPushButton::clicked, m_documents, &DocumentActions::exportWithDialog);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (QPushButton* button : {print, exportFile, close})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    escapeCloses(this);

    m_settle = new QTimer(this);
    m_settle->setSingleShot(true);
    m_settle->setInterval(150);
    connect(m_settle, &QTimer::timeout, this, &ComparisonWindow::compareNow);
}

ComparisonWindow::~ComparisonWindow() { stopWorker(); }

void ComparisonWindow::setInputs(Inputs inputs)
{
    if (m_haveInputs && inputs == m_inputs)
        return;
    const bool firstTime = !m_haveInputs;
    const bool onlyTheChoice = m_haveInputs && inputs.rooms == m_inputs.rooms && inputs.floor == m_inputs.floor
                               && inputs.prices == m_inputs.prices;
    m_inputs = std::move(inputs);
    m_haveInputs = true;
    if (onlyTheChoice && m_comparison) {
        // Another grade or package chosen: the same figures, other marks.
        fillOptions();
        fillParts();
        return;
    }
    if (firstTime) {
        compareNow();
        return;
    }
    stopWorker();  // its rooms are no longer the ones to show
    m_settle->start();
}

void ComparisonWindow::stopWorker()
{
    if (m_running)
        m_running->store(true);
    m_running.reset();
}

void ComparisonWindow::compareNow()
{
    m_settle->stop();
    stopWorker();
    if (m_inputs.rooms.empty()) {
        showComparison(std::nullopt);
        return;
    }
    if (m_inputs.rooms.size() < kWorkerRooms) {
        showComparison(CompareOptions(m_inputs.rooms, m_inputs.floor, m_inputs.prices));
        return;
    }
    // Ten quotes of thousands of rooms take seconds: the window keeps answering, and a newer
    // list or closing the window stops the older work between two options.
    auto stop = std::make_shared<std::atomic<bool>>(false);
    m_running = stop;
    m_status->setText(
        QCoreApplication::translate("ComparisonWindow", "正在计算 %1 个房间的十种方案…").arg(m_inputs.rooms.size()));
    QPointer<ComparisonWindow> self(this);
    (void)QtConcurrent::run([self, stop, rooms = m_inputs.rooms, floor = m_inputs.floor, prices = m_inputs.prices] {
        auto result = std::make_shared<std::optional<Comparison>>(
            CompareOptions(rooms, floor, prices, [&stop] { return stop->load(); }));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, stop, result] {
                if (!self || self->m_running != stop)
                    return;  // the window closed, or a newer list is being compared
                self->m_running.reset();
                self->showComparison(std::move(*result));
            },
            Qt::QueuedConnection);
    });
}

void ComparisonWindow::showComparison(std::optional<Comparison> comparison)
{
    m_comparison = std::move(comparison);
    m_content->setVisible(m_comparison.has_value());
    // Nothing to print or export without a comparison.
    m_printButton->setEnabled(m_comparison.has_value());
    m_exportButton->setEnabled(m_comparison.has_value());
    if (!m_comparison) {
        m_status->setText(QCoreApplication::translate("ComparisonWindow", kNoRoomsText));
        Q_EMIT comparisonShown();
        return;
    }
    m_status->setText(
        QCoreApplication::translate(
            "ComparisonWindow", "%1 个房间，客餐厅铺%2，价格表「%3」。双击一个方案打开它的详细报价单。")
            .arg(m_inputs.rooms.size())
            .arg(m_inputs.floor == FloorChoice::Boards ? QCoreApplication::translate("ComparisonWindow", "地板")
                                                       : QCoreApplication::translate("ComparisonWindow", "瓷砖"),
                toQString(m_inputs.prices.name())));
    fillOptions();
    fillParts();
    fillChart();
    Q_EMIT comparisonShown();
}

void ComparisonWindow::fillOptions()
{
    const Comparison& c = *m_comparison;
    const OptionTotal& chosen = c.option(m_inputs.chosenGrade, m_inputs.chosenPackage);
    for (int grade = 0; grade < kGradeCount; ++grade) {
        for (const Package package : kPackages) {
            const OptionTotal& option = c.option(grade, package);
            const int column = package == Package::Half ? kHalfTotal : kFullTotal;
            QTableWidgetItem* total = Cell(TotalText(option));
            const bool isChosen = &option == &chosen;
            QTableWidgetItem* difference
                = Cell(isChosen ? fromQString(QCoreApplication::translate("ComparisonWindow", "当前方案"))
                                : DifferenceText(option, chosen));
            if (isChosen) {
                // The option the main window holds stands out, so every difference reads from it.
                for (QTableWidgetItem* item : {total, difference}) {
                    QFont bold = item->font();
                    bold.setBold(true);
                    item->setFont(bold);
                    item->setBackground(QColor(0xFF, 0xF2, 0xCC));
                }
            }
            m_options->setItem(grade, column, total);
            m_options->setItem(grade, column + 1, difference);
        }
        const EstimatePair& estimate = c.estimates[static_cast<std::size_t>(grade)];
        const bool refused = c.estimateRefusal.has_value();
        m_options->setItem(grade, kEstimateHalf, Cell(refused ? *c.estimateRefusal : SingleToText(estimate.half), !refused));
        m_options->setItem(grade, kEstimateFull, Cell(refused ? *c.estimateRefusal : SingleToText(estimate.full), !refused));
    }
    // The table takes what its figures need and the chart the rest, so that the grade
    // names under the bars are never cut short. Measured from size hints: the window may
    // not be shown yet.
    m_options->resizeColumnsToContents();
    m_options->resizeRowsToContents();
    int width = m_options->verticalHeader()->sizeHint().width() + 2 * m_options->frameWidth();
    for (int column = 0; column < kOptionColumns; ++column)
        width += m_options->columnWidth(column);
    int height = m_options->horizontalHeader()->sizeHint().height() + 2 * m_options->frameWidth();
    for (int row = 0; row < kGradeCount; ++row)
        height += m_options->rowHeight(row);
    m_options->setFixedSize(width, height);
}

void ComparisonWindow::fillParts()
{
    const Comparison& c = *m_comparison;
    const int columns = static_cast<int>(c.parts.size()) + 1;
    m_parts->clear();
    m_parts->setColumnCount(columns);
    for (int part = 0; part < columns - 1; ++part)
        m_parts->setHorizontalHeaderItem(part, new QTableWidgetItem(toQString(c.parts[static_cast<std::size_t>(part)])));
    m_parts->setHorizontalHeaderItem(
        columns - 1, new QTableWidgetItem(QCoreApplication::translate("ComparisonWindow", "合计")));
    m_parts->setRowCount(kGradeCount * 2);
    int row = 0;
    for (const Package package : kPackages) {
        for (int grade = 0; grade < kGradeCount; ++grade, ++row) {
            const OptionTotal& option = c.option(grade, package);
            m_parts->setVerticalHeaderItem(row, new QTableWidgetItem(toQString(OptionName(grade, package))));
            for (int part = 0; part < columns - 1; ++part)
                m_parts->setItem(row, part,
                                 Cell(option.total ? std::to_string(option.parts[static_cast<std::size_t>(part)]) : Text()));
            m_parts->setItem(row, columns - 1, Cell(TotalText(option)));
            if (grade == m_inputs.chosenGrade && package == m_inputs.chosenPackage) {
                for (int column = 0; column < columns; ++column)
                    m_parts->item(row, column)->setBackground(QColor(0xFF, 0xF2, 0xCC));
            }
        }
    }
}

void ComparisonWindow::fillChart()
{
    QChart* previous = m_chart->chart();
    m_chart->setChart(MakeDocumentChart(ComparisonChart(*m_comparison)).release());
    delete previous;
}

std::optional<std::pair<int, Package>> ComparisonWindow::optionAt(int row, int column) const
{
    if (row < 0 || row >= kGradeCount)
        return std::nullopt;
    if (column == kHalfTotal || column == kHalfDifference)
        return std::pair{row, Package::Half};
    if (column == kFullTotal || column == kFullDifference)
        return std::pair{row, Package::Full};
    return std::nullopt;
}

void ComparisonWindow::onCellDoubleClicked(int row, int column)
{
    if (const auto option = optionAt(row, column))
        Q_EMIT optionChosen(option->first, option->second);
}

QuoteDocument ComparisonWindow::document() const
{
    if (!m_comparison)
        return {};
    return ComparisonDocument(*m_comparison, m_inputs.chosenGrade, m_inputs.chosenPackage, m_inputs.prices.name(),
                              TodayText());
}

void ComparisonWindow::closeEvent(QCloseEvent* event)
{
    stopWorker();
    QWidget::closeEvent(event);
}

}  // namespace rq
