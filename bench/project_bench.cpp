// How long opening and saving a project of 1,000 rooms with its full-package sheet takes:
// the file read from the disk and checked whole, and the file written and renamed into place.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "bench/bench_rooms.h"
#include "files/atomic_file.h"
#include "project/project_file.h"

namespace {

rq::Project LargeProject(int roomCount)
{
    rq::Project project = rq::NewProject();
    project.rooms = rq::bench::MixedRooms(roomCount);
    project.estimate.grade = "豪华型装修";
    project.fullPackage = rq::BuildKeptSheet(project, rq::Package::Full);
    return project;
}

std::string BenchFile()
{
    return (std::filesystem::temp_directory_path() / ("renoquote-bench-" + std::to_string(::getpid()) + ".renoquote"))
        .string();
}

void OpenLargeProject(benchmark::State& state)
{
    const rq::Project project = LargeProject(static_cast<int>(state.range(0)));
    const std::string file = BenchFile();
    if (rq::WriteFileAtomically(file, rq::WriteProjectText(project))) {
        state.SkipWithError("cannot write the project file");
        return;
    }
    for (auto _ : state) {
        rq::Outcome<rq::Project> read = rq::LoadProjectFile(file);
        if (!read.value)
            state.SkipWithError(read.problem.c_str());
        benchmark::DoNotOptimize(read.value);
    }
    state.counters["rows"] = project.fullPackage->quote.sheet.RowCount();
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::remove(file.c_str());
}
BENCHMARK(OpenLargeProject)->Arg(1'000)->Unit(benchmark::kMillisecond);

void SaveLargeProject(benchmark::State& state)
{
    const rq::Project project = LargeProject(static_cast<int>(state.range(0)));
    const std::string file = BenchFile();
    for (auto _ : state) {
        if (rq::WriteFileAtomically(file, rq::WriteProjectText(project)))
            state.SkipWithError("cannot write the project file");
    }
    std::remove(file.c_str());
}
BENCHMARK(SaveLargeProject)->Arg(1'000)->Unit(benchmark::kMillisecond);

} // namespace
