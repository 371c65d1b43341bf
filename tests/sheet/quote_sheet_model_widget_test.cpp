// The sheet model must tell a view exactly what an edit changed, and what its undo and redo
// change: a view that only follows the signals has to end up showing the sheet, and a
// one-row edit must not make it rebuild everything.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "quote/fees.h"
#include "sheet/edit_checks.h"
#include "sheet/quote_sheet_model.h"
#include "qtcore/qt_text.h"

namespace rq {
namespace {

// A view's idea of the sheet, kept up to date only through the model's signals.
class SignalMirror : public QObject {
public:
    explicit SignalMirror(QAbstractItemModel& model)
        : m_model(model)
    {
        for (int row = 0; row < model.rowCount(); ++row)
            m_rows.push_back(readRow(row));
        connect(&model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
            for (int row = first; row <= last; ++row)
                m_rows.insert(m_rows.begin() + row, readRow(row));
            ++inserts;
        });
        connect(&model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int first, int last) {
            m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
            ++removals;
        });
        connect(&model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                    for (int column = topLeft.column(); column <= bottomRight.column(); ++column)
                        m_rows[row][column] = m_model.index(row, column).data().toString();
                changedRows += bottomRight.row() - topLeft.row() + 1;
            });
        connect(&model, &QAbstractItemModel::modelReset, this, [this] { ++resets; });
    }

    std::vector<QStringList> rows() const { return m_rows; }
    std::vector<QStringList> modelRows() const
    {
        std::vector<QStringList> result;
        for (int row = 0; row < m_model.rowCount(); ++row)
            result.push_back(readRow(row));
        return result;
    }

    int inserts = 0;
    int removals = 0;
    int changedRows = 0;
    int resets = 0;

private:
    QStringList readRow(int row) const
    {
        QStringList cells;
        for (int column = 0; column < m_model.columnCount(); ++column)
            cells << m_model.index(row, column).data().toString();
        return cells;
    }

    QAbstractItemModel& m_model;
    std::vector<QStringList> m_rows;
};

QuoteSheet halfPackageSheet(int rooms)
{
    QuoteSheet sheet;
    for (int room = 0; room < rooms; ++room) {
        sheet.AppendHeaderRow("客厅");
        sheet.AppendItemRow("墙面批腻子", "平方米", "30", "9", true, TotalForm::WholeYuan);
        sheet.AppendItemRow("地砖铺贴", "平方米", "12", "35", true, TotalForm::WholeYuan);
        sheet.AppendBlankRow();
    }
    AppendFeesAndProjectTotal(sheet);
    return sheet;
}

constexpr std::string_view kHalf = "半包装修详细报价";

struct EditCase {
    const char* what;
    int rooms;
    std::function<EditOutcome(QuoteSheet&, SheetListener*)> edit;
    int inserts;
    int removals;
    int maxChangedRows;
};

class QuoteSheetModelEdits : public testing::TestWithParam<EditCase> { };

// The edit, its undo and its redo: after each a view that followed only the signals shows
// the model's sheet, and no step rebuilt the view or touched more rows than it changed.
TEST_P(QuoteSheetModelEdits, ViewFollowingTheSignalsShowsTheEditedSheet)
{
    const EditCase& c = GetParam();
    const QuoteSheet original = halfPackageSheet(c.rooms);
    QuoteSheetModel model(original);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    SignalMirror mirror(model);

    QuoteSheet expected = original;
    c.edit(expected, nullptr);
    const EditOutcome outcome = model.edit(c.edit);
    ASSERT_FALSE(outcome.refusal) << c.what;

    EXPECT_EQ(model.sheet(), expected);
    EXPECT_EQ(mirror.rows(), mirror.modelRows());
    EXPECT_EQ(mirror.resets, 0);
    EXPECT_EQ(mirror.inserts, c.inserts);
    EXPECT_EQ(mirror.removals, c.removals);
    EXPECT_LE(mirror.changedRows, c.maxChangedRows);

    model.undo(outcome.change);
    EXPECT_EQ(model.sheet(), original) << c.what;
    EXPECT_EQ(mirror.rows(), mirror.modelRows()) << c.what;
    model.redo(outcome.change);
    EXPECT_EQ(model.sheet(), expected) << c.what;
    EXPECT_EQ(mirror.rows(), mirror.modelRows()) << c.what;
    EXPECT_EQ(mirror.resets, 0);
}

INSTANTIATE_TEST_SUITE_P(Edits, QuoteSheetModelEdits,
    testing::Values(
        EditCase { "nothing", 3,
            [](QuoteSheet& s, SheetListener* l) { return TryModifyRow(s, kHalf, 1, FieldsOfRow(s, 1), BuiltInPriceBook(), l); },
            0, 0, 0 },
        // Four cells of the item, the three fees and the project total.
        EditCase { "modify one item", 200,
            [](QuoteSheet& s, SheetListener* l) {
                return TryModifyRow(s, kHalf, 5, { "地砖铺贴", "平方米", "8.96", "58" }, BuiltInPriceBook(), l);
            },
            0, 0, 8 },
        EditCase { "delete one row", 200,
            [](QuoteSheet& s, SheetListener* l) { return TryDeleteRow(s, kHalf, 401, BuiltInPriceBook(), l); }, 0, 1, 4 },
        EditCase { "delete the first row", 5,
            [](QuoteSheet& s, SheetListener* l) { return TryDeleteRow(s, kHalf, 0, BuiltInPriceBook(), l); }, 0, 1, 1 },
        EditCase { "delete the last row", 5,
            [](QuoteSheet& s, SheetListener* l) { return TryDeleteRow(s, kHalf, s.RowCount() - 1, BuiltInPriceBook(), l); },
            0, 1, 1 },
        // The fee section gives way to the added block and new fees in one step.
        EditCase { "added-items block above the fees", 200,
            [](QuoteSheet& s, SheetListener* l) {
                return TryAddItem(s, kHalf, { "清水漆", "10", "44.5" }, BuiltInPriceBook(), l);
            },
            1, 0, 6 },
        EditCase { "an item added to a room", 200,
            [](QuoteSheet& s, SheetListener* l) {
                return TryAddItemToRoom(s, kHalf, 1, { "层板", "2", "100" }, BuiltInPriceBook(), l);
            },
            1, 0, 4 }),
    [](const testing::TestParamInfo<EditCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(QuoteSheetModel, ShowsHeadingsAndCellsAsText)
{
    QuoteSheetModel model(halfPackageSheet(1));
    const QStringList headings = { "序号", "项目名称", "单位", "数量", "单价", "总计" };
    for (int column = 0; column < headings.size(); ++column)
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), headings[column]) << column;
    EXPECT_EQ(model.index(1, 1).data().toString(), QStringLiteral("墙面批腻子"));
    EXPECT_EQ(model.index(1, 5).data().toString(), QStringLiteral("270"));
    EXPECT_FALSE(model.flags(model.index(1, 1)) & Qt::ItemIsEditable);
}

} // namespace
} // namespace rq
