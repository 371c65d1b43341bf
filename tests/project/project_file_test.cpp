#include "project/project_file.h"

#include <gtest/gtest.h>

#include "sheet/sheet_edits.h"

namespace rq {
namespace {

// Texts a user can type that a careless writer would break: quotes, backslashes, line
// breaks, a NUL, other control characters, right-to-left marks, emoji and the grade with
// its inner blanks.
const Text kAwkward = Text("引号\"反斜杠\\换行\r\n制表\t") + Text(1, '\0') + "\x1f\u200f\U0001F3E0 精  装  修";

Project SampleProject()
{
    Project project = NewProject();
    project.estimate.area = "12０.5";
    project.estimate.bedrooms = kAwkward;
    project.rooms = {
        RoomRecord { { "客厅", "4500*3600*2800", "1500*1500", "(无)", "0", "4" } },
        RoomRecord { { "卫生间", "2000*1800*2600", "600*1500", "塑钢门", "1", "4" } },
        RoomRecord { { kAwkward, "", "0*0", "", "", "" } }, // changed with 修改, never checked
    };
    project.floor = FloorChoice::Tiles;
    project.details = { "张先生", "汀湖市青禾路 8 号", "0123-4567890", "2024年5月1日", "QH-0001", "第一行\n第二行", "30 天" };
    // Priced with a book of the user's own.
    project.prices.setName("北京 2026 年 3 月");
    project.prices.SetHundredths(*project.prices.IndexOf("墙顶面", "墙顶面乳胶漆", 0), 1250);
    project.halfPackage = BuildKeptSheet(project, Package::Half);
    // The full sheet as the user left it, with the edits it keeps: an item changed, one
    // deleted, one added, one added to a room, the fees priced again with nothing selected.
    KeptSheet full = BuildKeptSheet(project, Package::Full);
    const auto edit = [&](KeptEditKind kind, int row, const ItemFields& fields) {
        full.edits.push_back(KeepEdit(full.quote.sheet, kind, row, fields));
    };
    edit(KeptEditKind::Modify, 2, { "墙面批腻子", "M2", "8.96", "58" });
    ModifyRow(full.quote.sheet, full.quote.caption, 2, { "墙面批腻子", "M2", "8.96", "58" });
    edit(KeptEditKind::Delete, 3, {});
    DeleteRow(full.quote.sheet, full.quote.caption, 3);
    edit(KeptEditKind::Add, -1, { kAwkward, {}, "2", "98" });
    AddItem(full.quote.sheet, full.quote.caption, { kAwkward, "2", "98" }, project.prices);
    edit(KeptEditKind::AddToRoom, 1, { "踢脚线", {}, "12", "15" });
    AddItemToRoom(full.quote.sheet, full.quote.caption, 1, { "踢脚线", "12", "15" }, project.prices);
    edit(KeptEditKind::Modify, -1, {});
    ModifyRow(full.quote.sheet, full.quote.caption, -1, {}, project.prices);
    project.fullPackage = std::move(full);
    // The rooms have changed since the sheets were built.
    project.rooms.pop_back();
    return project;
}

TEST(ProjectFile, SavedProjectReadsBackIdentical)
{
    const Project project = SampleProject();
    ASSERT_GT(project.fullPackage->quote.sheet.RowCount(), 20);
    const std::string text = WriteProjectText(project);
    const Outcome<Project> read = ReadProjectText(text);
    ASSERT_TRUE(read.value) << read.problem;
    EXPECT_EQ(*read.value, project);
    EXPECT_EQ(WriteProjectText(*read.value), text);
    // Readable in a text editor: Chinese as itself, control characters escaped.
    EXPECT_NE(text.find("\"张先生\""), std::string::npos);
    EXPECT_NE(text.find("\\u0000\\u001f"), std::string::npos);
    EXPECT_EQ(project.halfPackage->quote.sheet.GetCell(3, kUnitPrice), "12.5"); // priced with the project's book
    EXPECT_GT(text.find("\"edits\""), text.find("\"full\"")) << "an unedited sheet writes none";

    // A file written before sheets kept their edits opens with none to make again.
    std::string noEdits = text;
    noEdits.erase(noEdits.find(",\n      \"edits\""), noEdits.find("\n    }\n  }\n}") - noEdits.find(",\n      \"edits\""));
    const Outcome<Project> readNoEdits = ReadProjectText(noEdits);
    ASSERT_TRUE(readNoEdits.value) << readNoEdits.problem;
    Project unkept = project;
    unkept.fullPackage->edits.clear();
    EXPECT_EQ(*readNoEdits.value, unkept);

    // A file of the first version, which kept no prices, was priced with the built-in book.
    std::string first = text;
    first.replace(first.find("\"version\": 2"), 12, "\"version\": 1");
    // Nor how long its quote holds.
    first.erase(first.find(",\n    \"validity\""), first.find("\n  },\n  \"prices\"") - first.find(",\n    \"validity\""));
    first.erase(first.find("\"prices\": "), first.find("\"sheets\"") - first.find("\"prices\": "));
    const Outcome<Project> readFirst = ReadProjectText(first);
    ASSERT_TRUE(readFirst.value) << readFirst.problem;
    Project priced = project;
    priced.prices = BuiltInPriceBook();
    priced.details.validity.clear();
    EXPECT_EQ(*readFirst.value, priced);

    Project empty = NewProject();
    const Outcome<Project> readEmpty = ReadProjectText(WriteProjectText(empty));
    ASSERT_TRUE(readEmpty.value) << readEmpty.problem;
    EXPECT_EQ(*readEmpty.value, empty);
}

// Each refusal: the saved sample with one text replaced, and words the message must contain.
struct Refusal {
    const char* what;
    std::string from;
    std::string to;
    const char* message;
};

TEST(ProjectFile, RefusesWhatItCannotTrustAndSaysWhy)
{
    const std::string good = WriteProjectText(SampleProject());
    std::string manyNames = "\"notes\": {\"k\": 0";
    for (int i = 0; i < 40; ++i)
        manyNames += ", \"k" + std::to_string(i) + "\": 0";
    manyNames += "}";
    std::string manyObjects = "\"notes\": [{}";
    for (int i = 0; i < 300'000; ++i)
        manyObjects += ", {}";
    manyObjects += "]";
    const Refusal refusals[] = {
        // A file that never names the format is no project, whatever its syntax.
        { "not JSON at all", good, "这不是项目", "这不是装修报价项目文件" },
        { "a picture", good, "\x89PNG\r\n", "这不是装修报价项目文件" },
        { "cut short", good, good.substr(0, good.find("\"sheets\"")), "意外结束" },
        { "syntax error placed by line and column", "\"version\": 2,\n  \"estimate\": {\"bedrooms\"",
            "\"version\": 2,\n  \"estimate\": {\"bedrooms\" 1", "第 4 行第 27 列" },
        { "bytes that are no UTF-8", "张先生", "张\xff先生", "UTF-8" },
        { "another program's JSON", "renoquote-project", "spreadsheet", "这不是装修报价项目文件" },
        { "newer version", "\"version\": 2", "\"version\": 3", "新版本" },
        { "version beyond any integer type", "\"version\": 2", "\"version\": 18446744073709551616", "整数" },
        { "version zero", "\"version\": 2", "\"version\": 0", "“version”应当是 1 或更大" },
        { "unsound prices", "\"price\": 13}", "\"price\": -13}", "“prices”不是可用的价格表（第 1 项（墙顶面 顶面批腻子）：单价不能是负数。）" },
        { "number where a text belongs", "\"area\": \"12０.5\"", "\"area\": 120.5", "“estimate.area”应当是文字" },
        { "missing box", "\"area\": \"12０.5\"", "\"areas\": \"1\"", "不认识的项“estimate.areas”" },
        { "misspelt name", "\"grade\"", "\"grades\"", "不认识的项“grades”" },
        { "repeated name", "\"floor\": \"tiles\"", "\"floor\": \"tiles\", \"floor\": \"boards\"", "“floor”出现了两次" },
        { "unknown floor", "\"floor\": \"tiles\"", "\"floor\": \"carpet\"", "“floor”只能是" },
        { "room with five texts", "\"(无)\", \"0\", \"4\"]", "\"(无)\", \"0\"]", "“rooms[0]”应当正好有 6 项" },
        { "wrong caption", "\"caption\": \"半包装修详细报价\"", "\"caption\": \"全包装修详细报价\"",
            "“sheets.half.caption”应当是“半包装修详细报价”" },
        { "unknown row kind", "{\"kind\": \"room-header\"", "{\"kind\": \"picture\"", "“sheets.half.rows[0].kind”" },
        { "rows the edits cannot work on", "{\"kind\": \"room-header\"", "{\"kind\": \"project-total\"",
            "“sheets.half.rows”不是能修改的报价单（第1行：半包报价的工程总造价不是最后一行）" },
        { "row that is not an object",
            "{\"kind\": \"room-header\", \"cells\": [\"\", \"客厅\", \"\", \"\", \"\", \"\"]}", "[]",
            "“sheets.half.rows[0]”应当是一个对象" },
        { "total that is no amount", "\"cells\": [\"\", \"客厅\", \"\", \"\", \"\", \"\"]",
            "\"cells\": [\"\", \"客厅\", \"\", \"\", \"\", \"1e309\"]", "（第1行：总计“1e309”不是 2147483647 元以内" },
        { "project total that is not the sum above it", "\"工程总造价\", \"\", \"\", \"\", \"",
            "\"工程总造价\", \"\", \"\", \"\", \"1", "“工程总造价”应当是上面各行的合计" },
        { "unknown kind of edit", "{\"edit\": \"delete\"", "{\"edit\": \"undo\"",
            "“sheets.full.edits[1].edit”不是报价单的一种修改" },
        { "edit anchored in no part of a sheet", "\"part\": \"room\"", "\"part\": \"roof\"",
            "“sheets.full.edits[0].at.part”不是报价单的一部分" },
        { "negative count in an anchor", "\"itemNumber\": 0", "\"itemNumber\": -1",
            "“sheets.full.edits[0].at.itemNumber”应当是 0 到 2147483647 之间的整数" },
        { "count beyond any row", "\"itemNumber\": 0", "\"itemNumber\": 2147483648", "应当是 0 到 2147483647" },
        { "fraction as a count", "\"roomNumber\": 0", "\"roomNumber\": 0.5", "“sheets.full.edits[0].at.roomNumber”" },
        { "edit without its anchor", "{\"edit\": \"delete\", \"at\"", "{\"edit\": \"delete\", \"where\"",
            "不认识的项“sheets.full.edits[1].where”" },
        { "modify with three texts", "\"fields\": [\"墙面批腻子\", \"M2\", ", "\"fields\": [\"M2\", ",
            "“sheets.full.edits[0].fields”应当正好有 4 项" },
        { "room anchor without its room", "\"part\": \"room\", \"room\": \"客厅\", ", "\"part\": \"room\", ",
            "缺少“sheets.full.edits[0].at.room”" },
        { "item added to no room", "{\"edit\": \"add-to-room\", \"at\": {\"part\": \"room\", \"room\": \"客厅\", \"roomNumber\": 0, ",
            "{\"edit\": \"add-to-room\", \"at\": {\"part\": \"loose\", ", "应当是 \"room\"" },
        { "object of more names than any project has", "\"notes\": \"第一行\\n第二行\"",
            manyNames, "项太多" },
        { "a long list of objects", "\"notes\": \"第一行\\n第二行\"", manyObjects,
            "“details.notes”应当是文字" },
        { "nesting beyond any project", "\"notes\": \"第一行\\n第二行\"",
            "\"notes\": " + std::string(40, '[') + std::string(40, ']'), "嵌套" },
    };
    for (const Refusal& refusal : refusals) {
        std::string text = good;
        const std::size_t at = text.find(refusal.from);
        ASSERT_NE(at, std::string::npos) << refusal.what;
        text.replace(at, refusal.from.size(), refusal.to);
        const Outcome<Project> read = ReadProjectText(text);
        EXPECT_FALSE(read.value) << refusal.what;
        EXPECT_NE(read.problem.find(refusal.message), std::string::npos) << refusal.what << ": " << read.problem;
    }
}

} // namespace
} // namespace rq
