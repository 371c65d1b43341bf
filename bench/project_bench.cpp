// How long opening and saving a project of 1,000 rooms with its full-package sheet takes:
// the file read from the disk and checked whole, and the file written and renamed into place.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
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
BENCHMARK(OpenLargeProject)->Arg(1'000)->Arg(20'000)->Unit(benchmark::kMillisecond);

// The yardstick for opening: Python's json.load of the same file, which only parses and
// checks nothing, started as a process whose own start is timed apart and taken off.
void PythonJsonLoadOfTheSameFile(benchmark::State& state)
{
    const std::string file = BenchFile();
    if (rq::WriteFileAtomically(file, rq::WriteProjectText(LargeProject(static_cast<int>(state.range(0)))))) {
        state.SkipWithError("cannot write the project file");
        return;
    }
    const auto seconds = [](const std::string& command) {
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        return status == 0 ? std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() : -1.0;
    };
    for (auto _ : state) {
        const double idle = seconds("python3 -c 'import json'");
        const double load = seconds("python3 -c 'import json,sys; json.load(open(sys.argv[1]))' " + file);
        if (idle < 0 || load < 0) {
            state.SkipWithError("python3 is not there");
            break;
        }
        state.SetIterationTime(load - idle);
    }
    std::remove(file.c_str());
}
BENCHMARK(PythonJsonLoadOfTheSameFile)->Arg(20'000)->UseManualTime()->Unit(benchmark::kMillisecond);

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
