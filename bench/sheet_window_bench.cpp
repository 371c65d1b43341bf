// The quote sheet window on a sheet of about a million rows (82,400 rooms, full package):
// how long one 修改 takes from the click to the repainted table, and one 撤销, against a
// plain repaint of the same table. The edit must reach the view as the rows it changed, or
// a sheet this size would be rebuilt in the view on every figure the user corrects.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>

#include "bench/bench_rooms.h"
#include "quote/engine.h"
#include "sheet/edit_checks.h"
#include "sheet/quote_sheet_model.h"
#include "sheet/quote_sheet_window.h"
#include "sheet/sheet_change.h"

namespace {

struct OpenSheet {
    OpenSheet()
        : window(rq::BuildDetailedQuote(rq::bench::MixedRooms(82'400), "豪华型装修", rq::FloorChoice::Tiles,
                     rq::kFullPackage),
              nullptr, rq::QuoteSheetWindow::ChatPicture::Skip)
    {
        window.show();
        table = window.findChild<QTableView*>();
        model = qobject_cast<rq::QuoteSheetModel*>(table->model());
        QApplication::processEvents();
    }
    // The table drawn now, as the screen would show it after the edit.
    void repaint()
    {
        QApplication::processEvents();
        table->viewport()->repaint();
    }
    rq::QuoteSheetWindow window;
    QTableView* table = nullptr;
    rq::QuoteSheetModel* model = nullptr;
};

OpenSheet& Sheet()
{
    static OpenSheet sheet;
    return sheet;
}

void RepaintOnly(benchmark::State& state)
{
    OpenSheet& sheet = Sheet();
    for (auto _ : state)
        sheet.repaint();
    state.counters["rows"] = sheet.model->rowCount();
}
BENCHMARK(RepaintOnly)->Unit(benchmark::kMillisecond);

// 修改 of the first item's quantity: its total, the fees, the project total and the foot.
void ModifyAndRepaint(benchmark::State& state)
{
    OpenSheet& sheet = Sheet();
    const char* quantities[] = { "8.96", "9.5" };
    int turn = 0;
    for (auto _ : state) {
        const char* quantity = quantities[turn ^= 1];
        sheet.model->edit([quantity](rq::QuoteSheet& target, rq::SheetListener* listener) {
            return rq::TryModifyRow(target, rq::kFullPackageCaption, 1, { "顶面批腻子", "M2", quantity, "58" },
                rq::BuiltInPriceBook(), listener);
        });
        sheet.repaint();
    }
}
BENCHMARK(ModifyAndRepaint)->Unit(benchmark::kMillisecond);

// 删除此项 near the top and its 撤销: every row below moves up and back.
void DeleteUndoAndRepaint(benchmark::State& state)
{
    OpenSheet& sheet = Sheet();
    for (auto _ : state) {
        const rq::EditOutcome deleted = sheet.model->edit([](rq::QuoteSheet& target, rq::SheetListener* listener) {
            return rq::TryDeleteRow(target, rq::kFullPackageCaption, 2, rq::BuiltInPriceBook(), listener);
        });
        sheet.repaint();
        sheet.model->undo(deleted.change);
        sheet.repaint();
    }
}
BENCHMARK(DeleteUndoAndRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
