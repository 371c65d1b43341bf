// The speed-ups of the engine and the writer change no byte of any sheet: large random
// dwellings, quoted under every package, grade and floor, must come out exactly as they
// did before (recorded as the length and a 64-bit FNV-1a hash of the whole output of the
// program before the speed-ups). A failure prints what came out instead, so that the
// offending run can be diffed against an older build.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/cli/cli_runner.h"

namespace rq {
namespace {

using testing::CliRun;
using testing::RunCli;

// splitmix64: the same rooms on every machine and standard library.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    template <typename T, std::size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Below(static_cast<int>(N))];
    }

private:
    std::uint64_t m_state;
};

// A size as people type it: mostly whole millimetres, sometimes decimals, full-width
// digits or blanks around.
std::string Millimetres(Dice& dice, int from, int to)
{
    std::string text = std::to_string(from + dice.Below(to - from));
    switch (dice.Below(12)) {
    case 0: return text + "." + std::to_string(dice.Below(100));
    case 1: return " " + text;
    case 2: return text.substr(0, text.size() - 1) + "５";
    default: return text;
    }
}

// Ordinary dwellings and their odd corners (an unknown room type, a door no one sells,
// windows of nothing), but nothing the add check refuses.
std::string RandomRooms(int count)
{
    const std::string_view types[] = {"客厅", "餐厅", "厨房", "卧室", "卫生间", "书房", "阳台", "储藏室"};
    const std::string_view doors[] = {"(无)",   "出租房门", "实木免漆门", "实木门", "原木门",
                                      "移门",   "推拉门",   "彩铝门",     "折叠门", "塑钢门", "防盗门"};
    Dice dice(15);
    std::string rooms;
    for (int i = 0; i < count; ++i) {
        const std::string_view door = dice.Pick(doors);
        rooms += std::string(dice.Pick(types)) + "\t" + Millimetres(dice, 800, 9000) + "*" +
                 Millimetres(dice, 800, 7000) + "*" + Millimetres(dice, 2400, 3200) + "\t" +
                 Millimetres(dice, 0, 2400) + "*" + Millimetres(dice, 0, 2000) + "\t" + std::string(door) + "\t" +
                 std::to_string(door == "(无)" ? 0 : 1 + dice.Below(3)) + "\t" + std::to_string(1 + dice.Below(4)) +
                 "\n";
    }
    return rooms;
}

// 修改, 删除此项 and 确定添加 in random order all over a sheet of about `rows` rows: items,
// fees, totals and blank rows alike, fee names typed into other rows, rows outside the sheet.
std::string RandomEdits(int count, int rows)
{
    const std::string_view names[] = {"开关插座", "工程管理费", "材料搬运费", "", "其它的", "吊灯"};
    const std::string_view figures[] = {"3", "25", "0.5", "", "8%", "１２", "abc", "-4", "1.5"};
    Dice dice(27);
    std::string edits;
    for (int i = 0; i < count; ++i) {
        const std::string row = std::to_string(dice.Below(rows + 40) - 1);
        const std::string name(dice.Pick(names));
        switch (dice.Below(3)) {
        case 0:
            edits += "modify\t" + row + "\t" + name + "\tM2\t" + std::string(dice.Pick(figures)) + "\t" +
                     std::string(dice.Pick(figures)) + "\n";
            break;
        case 1: edits += "delete\t" + row + "\n"; break;
        default:
            edits += "add\t" + name + "\t" + std::string(dice.Pick(figures)) + "\t" + std::string(dice.Pick(figures)) +
                     "\n";
            break;
        }
    }
    return edits;
}

std::uint64_t Fnv1a(std::string_view bytes)
{
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    return hash;
}

struct RecordedRun {
    std::vector<std::string> args;
    std::size_t bytes;
    std::uint64_t hash;
};

// Each run of `quote` with its arguments and `extra` on `rooms` gives the recorded output.
void ExpectAsRecorded(const std::string& rooms, std::span<const RecordedRun> runs,
                      const std::vector<std::string>& extra = {})
{
    for (const RecordedRun& recorded : runs) {
        std::vector<std::string> args = recorded.args;
        args.insert(args.begin(), "quote");
        args.insert(args.end(), extra.begin(), extra.end());
        const CliRun run = RunCli(args, rooms);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.size(), recorded.bytes) << args[2] << " " << args[4];
        EXPECT_EQ(Fnv1a(run.out), recorded.hash) << args[2] << " " << args[4];
    }
}

TEST(SameOutput, LargeRandomDwellingsComeOutAsBefore)
{
    const std::string rooms = RandomRooms(4000);
    const RecordedRun runs[] = {
        // walls under windows larger than themselves: 0 m² since, no longer negative
        {{"--package", "half", "--grade", "出租房装修"}, 697885, 0xF34E86D28353DF4Eull},
        {{"--package", "half", "--grade", "豪华型装修", "--floor", "tiles"}, 720872, 0x898226B6F8797814ull},
        {{"--package", "full", "--grade", "经济型装修", "--floor", "tiles"}, 1018248, 0x4D14AB066D24EFA6ull},
        {{"--package", "full", "--grade", "舒适型装修"}, 1055474, 0x21D7D8A9384FD4AFull},
        {{"--package", "full", "--grade", "精  装  修", "--floor", "tiles"}, 1086041, 0x9B7051A65297CC43ull},
        {{"--package", "full", "--grade", "豪华型装修", "--encoding", "gbk"}, 917297, 0x19318C04D1915617ull},
    };
    ExpectAsRecorded(rooms, runs);
}

// A block of flats repeats its rooms: each distinct room is priced once and its rows used
// again, byte for byte as the rooms were priced one by one (the window's way too).
TEST(SameOutput, RepeatedRoomsComeOutAsBefore)
{
    const std::string block = RandomRooms(300);
    const std::string rooms = block + block + RandomRooms(50) + block;
    const RecordedRun runs[] = {
        {{"--package", "full", "--grade", "豪华型装修"}, 265542, 0x91B69869F9149FC4ull},
        {{"--package", "half", "--grade", "经济型装修", "--floor", "tiles"}, 160194, 0xC865530528FBAE2Eull},
    };
    ExpectAsRecorded(rooms, runs);
    // Past the few thousand distinct rooms compared, rooms are priced as they come.
    const std::string many = RandomRooms(5000);
    const RecordedRun manyRuns[] = {
        {{"--package", "full", "--grade", "舒适型装修", "--floor", "tiles"}, 2713852, 0x1AC129E285011053ull}};
    ExpectAsRecorded(many + many, manyRuns);
}

TEST(SameOutput, RandomEditsOfALargeSheetComeOutAsBefore)
{
    const std::string rooms = RandomRooms(2000);
    const std::string editsPath = std::filesystem::temp_directory_path() /
                                  ("renoquote_same_output_edits_" + std::to_string(::getpid()) + ".tsv");
    {
        std::ofstream file(editsPath, std::ios::binary);
        file << RandomEdits(600, 26'000);
    }
    const RecordedRun runs[] = {
        // fees priced again on the items after every edit, as after 确定添加
        {{"--package", "half", "--grade", "豪华型装修"}, 346147, 0x22DF6B2B63B1F581ull},
        {{"--package", "full", "--grade", "舒适型装修"}, 531897, 0x1412941481670B63ull},
    };
    ExpectAsRecorded(rooms, runs, {"--edits", editsPath});
    std::filesystem::remove(editsPath);
}

}  // namespace
}  // namespace rq
