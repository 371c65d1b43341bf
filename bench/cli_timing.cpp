// How long renoquote-cli takes from start to exit with its output written, the way a script
// meets it: a full-package quote of 10,000 and of 100,000 rooms into a file, and one quick
// estimate; with the peak resident memory beside the size of the output. Each run is a
// process of its own; the best of several runs is shown, since the machine may be busy.
// Two ratios follow: the 100,000-room quote against `cat` copying its output into a file,
// and a million rooms against 100,000 (small rooms at the cheapest grade, so that a million
// of them stay within the amounts a quote can hold), which is 10 where the cost is linear;
// and 100,000 rooms no two alike against `cat` of their output, since rooms alike are priced
// once.
//
//   renoquote_cli_timing [OTHER_CLI]
//
// With OTHER_CLI (an older build, say) the same runs are made with it in the same session,
// so that the two can be compared under the same load.
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/bench_rooms.h"

namespace {

struct Run {
    double milliseconds = 0;
    long peakKilobytes = 0;
    long outputBytes = 0;
};

// One run of `args`, standard input from /dev/null, standard output into `outPath`.
Run runOnce(const std::vector<std::string>& args, const std::string& outPath)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const auto begin = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = open("/dev/null", O_RDONLY);
        if (out < 0 || in < 0 || dup2(out, 1) < 0 || dup2(in, 0) < 0)
            std::_Exit(127);
        execv(argv[0], argv.data());
        std::_Exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "cli_timing: %s did not finish cleanly\n", args[0].c_str());
        std::exit(1);
    }
    std::ifstream written(outPath, std::ios::binary | std::ios::ate);
    return {std::chrono::duration<double, std::milli>(end - begin).count(), usage.ru_maxrss,
            static_cast<long>(written.tellg())};
}

// Box rooms of a metre or so, no windows or doors: a million of them, full package at the
// cheapest grade, come to about 1.6 billion yuan.
std::vector<rq::RoomRecord> SmallRooms(int count)
{
    const rq::RoomRecord kinds[] = {
        {{"客厅", "1500*1200*2400", "0*0", "(无)", "0", "4"}}, {{"餐厅", "1200*1000*2400", "0*0", "(无)", "0", "4"}},
        {{"厨房", "1000*1000*2400", "0*0", "(无)", "0", "4"}}, {{"卧室", "1500*1200*2400", "0*0", "(无)", "0", "4"}},
        {{"卫生间", "1000*800*2400", "0*0", "(无)", "0", "4"}}, {{"书房", "1200*1000*2400", "0*0", "(无)", "0", "3"}},
        {{"阳台", "1000*800*2400", "0*0", "(无)", "0", "1"}},
    };
    std::vector<rq::RoomRecord> rooms;
    for (int i = 0; i < count; ++i)
        rooms.push_back(kinds[static_cast<std::size_t>(i) % std::size(kinds)]);
    return rooms;
}

// The usual mix, every room a few millimetres longer than the one of its kind before: no two
// alike, so none is priced from an earlier one.
std::vector<rq::RoomRecord> DistinctRooms(int count)
{
    std::vector<rq::RoomRecord> rooms = rq::bench::MixedRooms(count);
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        std::string& size = rooms[i].cells[rq::kRoomSize];
        const std::size_t star = size.find('*');
        size = std::to_string(std::stoi(size.substr(0, star)) + static_cast<int>(i / 7)) + size.substr(star);
    }
    return rooms;
}

enum class Mix { Usual, Small, Distinct };

std::string writeRooms(int count, Mix mix = Mix::Usual)
{
    const std::string path = "/tmp/renoquote_cli_timing_rooms_" + std::to_string(getpid()) + "_" +
                             std::to_string(count) + "_" + std::to_string(static_cast<int>(mix)) + ".tsv";
    std::ofstream file(path, std::ios::binary);
    const std::vector<rq::RoomRecord> rooms = mix == Mix::Small      ? SmallRooms(count)
                                              : mix == Mix::Distinct ? DistinctRooms(count)
                                                                     : rq::bench::MixedRooms(count);
    for (const rq::RoomRecord& room : rooms) {
        for (std::size_t i = 0; i < room.cells.size(); ++i)
            file << (i > 0 ? "\t" : "") << room.cells[i];
        file << "\n";
    }
    return path;
}

void report(const char* label, const char* what, const Run& run)
{
    std::printf("%-7s %-34s best %8.1f ms  peak %8ld KiB  output %9ld B  (peak/output %.2f)\n", label, what,
                run.milliseconds, run.peakKilobytes, run.outputBytes,
                run.outputBytes > 0 ? static_cast<double>(run.peakKilobytes) * 1024.0 / static_cast<double>(run.outputBytes)
                                    : 0.0);
}

// The best of `runs` runs of `args` (the program first) into `outPath`.
Run bestOf(const std::vector<std::string>& args, const std::string& outPath, int runs)
{
    Run best;
    for (int round = 0; round < runs; ++round) {
        const Run r = runOnce(args, outPath);
        if (round == 0 || r.milliseconds < best.milliseconds)
            best.milliseconds = r.milliseconds;
        if (round == 0 || r.peakKilobytes < best.peakKilobytes)
            best.peakKilobytes = r.peakKilobytes;
        best.outputBytes = r.outputBytes;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::pair<const char*, std::string>> programs = {{"this", RENOQUOTE_CLI_PATH}};
    if (argc > 1)
        programs.emplace_back("other", argv[1]);
    const std::string out = "/tmp/renoquote_cli_timing_out_" + std::to_string(getpid());
    const std::string rooms10k = writeRooms(10'000);
    const std::string rooms100k = writeRooms(100'000);
    const std::string small100k = writeRooms(100'000, Mix::Small);
    const std::string small1m = writeRooms(1'000'000, Mix::Small);
    const std::string distinct100k = writeRooms(100'000, Mix::Distinct);
    // A child's peak counts what it shared with this process before it became the program:
    // the rooms made here go back to the system first.
    malloc_trim(0);
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int runs;
    };
    const Case cases[] = {
        {"quote --package full, 10,000 rooms", {"quote", "--package", "full", rooms10k}, 9},
        {"quote --package full, 100,000 rooms", {"quote", "--package", "full", rooms100k}, 5},
        {"estimate (defaults)", {"estimate"}, 15},
        {"small rooms, 100,000", {"quote", "--package", "full", "--grade", "出租房装修", small100k}, 5},
        {"small rooms, 1,000,000", {"quote", "--package", "full", "--grade", "出租房装修", small1m}, 2},
        {"no two rooms alike, 100,000", {"quote", "--package", "full", distinct100k}, 5},
    };
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("load average before: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    std::vector<std::vector<Run>> byCase;
    for (const Case& c : cases) {
        // The programs take turns, run by run, so that a busy moment hits both alike.
        std::vector<Run> results(programs.size());
        for (std::size_t p = 0; p < programs.size(); ++p)
            runOnce({programs[p].second, "--help"}, out + ".help");  // warm the file cache
        for (int round = 0; round < c.runs; ++round)
            for (std::size_t p = 0; p < programs.size(); ++p) {
                std::vector<std::string> args = c.args;
                args.insert(args.begin(), programs[p].second);
                const Run r = runOnce(args, out);
                Run& b = results[p];
                if (round == 0 || r.milliseconds < b.milliseconds)
                    b.milliseconds = r.milliseconds;
                if (round == 0 || r.peakKilobytes < b.peakKilobytes)
                    b.peakKilobytes = r.peakKilobytes;
                b.outputBytes = r.outputBytes;
            }
        for (std::size_t p = 0; p < programs.size(); ++p)
            report(programs[p].first, c.what, results[p]);
        byCase.push_back(results);
    }
    // `cat` of the 100,000-room quote's output, into a file as the quote's own runs write.
    const std::string copied = out + ".quote";
    runOnce({programs.front().second, "quote", "--package", "full", rooms100k}, copied);
    const Run cat = bestOf({"/bin/cat", copied}, out, 9);
    report("cat", "the 100,000-room quote's output", cat);
    runOnce({programs.front().second, "quote", "--package", "full", distinct100k}, copied);
    const Run catDistinct = bestOf({"/bin/cat", copied}, out, 9);
    report("cat", "the output of no two rooms alike", catDistinct);
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const Run& large = byCase[1][p];
        const Run& small = byCase[3][p];
        const Run& million = byCase[4][p];
        std::printf("%-7s 100,000 rooms / cat %.1f;  1,000,000 / 100,000 rooms %.1f;  peak/output at 1,000,000 %.2f;  "
                    "no two alike / cat %.1f\n",
                    programs[p].first, large.milliseconds / cat.milliseconds, million.milliseconds / small.milliseconds,
                    static_cast<double>(million.peakKilobytes) * 1024.0 / static_cast<double>(million.outputBytes),
                    byCase[5][p].milliseconds / catDistinct.milliseconds);
    }
    if (getloadavg(load, 3) == 3)
        std::printf("load average after:  %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    for (const std::string& file : {rooms10k, rooms100k, small100k, small1m, distinct100k, out, out + ".help", copied})
        std::remove(file.c_str());
    return 0;
}
