// The 方案对比 window: the rooms of the main window quoted in every grade and both packages,
// the option now chosen marked and every other one's difference to it, the quick estimate of
// the dwelling beside them, where the money goes in each option, and the totals as grouped
// bars. It only shows what the core computed; a large list is computed on a worker thread.
// Double-clicking an option asks the main window to open that quote sheet.
#pragma once

#include <QWidget>

#include <atomic>
#include <memory>
#include <optional>

#include "compare/comparison.h"
#include "document/quote_document.h"

class QChartView;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace rq {

class DocumentActions;

class ComparisonWindow : public QWidget {
    Q_OBJECT

public:
    // What the comparison is made of, as the main window holds it.
    struct Inputs {
        std::vector<RoomRecord> rooms;
        FloorChoice floor = FloorChoice::Boards;
        PriceBook prices = BuiltInPriceBook();
        int chosenGrade = static_cast<int>(Grade::Comfort);
        Package chosenPackage = Package::Half;
        bool operator==(const Inputs&) const = default;
    };

    // From this many rooms on, the ten quotes are computed off the window's thread.
    static constexpr std::size_t kWorkerRooms = 2000;

    explicit ComparisonWindow(QWidget* parent = nullptr);
    ~ComparisonWindow() override;

    // Compares anew when the inputs differ from the last ones; changes coming in a burst
    // (a project being opened) are compared once.
    void setInputs(Inputs inputs);
    // The comparison shown, once computed.
    const std::optional<Comparison>& comparison() const { return m_comparison; }
    // Whether a worker is still computing.
    bool busy() const { return m_running != nullptr; }

    QTableWidget* optionsTable() const { return m_options; }
    QTableWidget* partsTable() const { return m_parts; }
    QLabel* statusLabel() const { return m_status; }
    QChartView* chartView() const { return m_chart; }

    // The option a cell of the options table stands for, if any.
    std::optional<std::pair<int, Package>> optionAt(int row, int column) const;

Q_SIGNALS:
    // The user asked to open the quote sheet of this grade (0..4) and package.
    void optionChosen(int grade, rq::Package package);
    // A comparison was shown (tests and the worker wait for it).
    void comparisonShown();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void compareNow();
    void showComparison(std::optional<Comparison> comparison);
    void fillOptions();
    void fillParts();
    void fillChart();
    void onCellDoubleClicked(int row, int column);
    void stopWorker();
    QuoteDocument document() const;

    Inputs m_inputs;
    bool m_haveInputs = false;
    std::optional<Comparison> m_comparison;
    // Set to stop the worker computing an earlier list; shared with it, as it may outlive us.
    std::shared_ptr<std::atomic<bool>> m_running;
    QTimer* m_settle = nullptr;
    QLabel* m_status = nullptr;
    QTableWidget* m_options = nullptr;
    QTableWidget* m_parts = nullptr;
    QChartView* m_chart = nullptr;
    QWidget* m_content = nullptr;
    DocumentActions* m_documents = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_exportButton = nullptr;
};

}  // namespace rq
