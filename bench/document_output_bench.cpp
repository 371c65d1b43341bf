// How long the documents of a 1,000-room full-package quote (about 12,000 rows) take to
// write: PDF (the printer's painting, offscreen) and XLSX, with CSV for scale. Each
// iteration writes a real file, the same way the windows and the command line do.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "bench/bench_rooms.h"
#include "document/csv_writer.h"
#include "document/quote_document.h"
#include "modules/xlsx_output.h"
#include "quote/engine.h"

#ifdef RENOQUOTE_BENCH_PDF
#include <QGuiApplication>

#include "printing/quote_printer.h"
#endif

namespace {

rq::QuoteDocument LargeDocument()
{
    const rq::DetailedQuote quote =
        rq::BuildDetailedQuote(rq::bench::MixedRooms(1000), "豪华型装修", rq::FloorChoice::Tiles, "全包");
    return rq::SheetDocument(quote.sheet, quote.caption, {{"客户：", "张三"}}, "2026年12月9日");
}

std::string OutputPath(const char* extension)
{
    return "/tmp/renoquote_bench_" + std::to_string(getpid()) + extension;
}

template <typename Write>
void WriteDocument(benchmark::State& state, const char* extension, Write write)
{
    const rq::QuoteDocument document = LargeDocument();
    const std::string path = OutputPath(extension);
    for (auto _ : state) {
        if (!write(document, path).written())
            state.SkipWithError("not written");
    }
    state.counters["rows"] = static_cast<double>(document.rows.size());
    std::remove(path.c_str());
}

void Xlsx(benchmark::State& state)
{
    WriteDocument(state, ".xlsx", [](const rq::QuoteDocument& document, const std::string& path) {
        return rq::WriteXlsx(document, path);
    });
}
BENCHMARK(Xlsx)->Unit(benchmark::kMillisecond)->UseRealTime();

void Csv(benchmark::State& state)
{
    WriteDocument(state, ".csv", [](const rq::QuoteDocument& document, const std::string& path) {
        return rq::WriteBytes(path, rq::CsvText(document));
    });
}
BENCHMARK(Csv)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef RENOQUOTE_BENCH_PDF
void Pdf(benchmark::State& state)
{
    WriteDocument(state, ".pdf", [](const rq::QuoteDocument& document, const std::string& path) {
        return rq::WritePdf(document, path);
    });
}
BENCHMARK(Pdf)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace

int main(int argc, char** argv)
{
#ifdef RENOQUOTE_BENCH_PDF
    // Fonts need a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
