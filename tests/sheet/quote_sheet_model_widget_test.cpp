// The sheet model must tell a view exactly what an edit changed: a view that only follows
// the signals has to end up showing the new sheet, and a one-row edit must not make it
// rebuild everything.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "quote/fees.h"
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

int rowNamed(const QuoteSheet& sheet, std::string_view name)
{
    for (int row = 0; row < sheet.RowCount(); ++row)
        if (sheet.GetCell(row, kItemName) == name)
            return row;
    return -1;
}

struct EditCase {
    const char* what;
    int rooms;
    std::function<void(QuoteSheet&)> edit;
    int inserts;
    int removals;
    int maxChangedRows;
};

class QuoteSheetModelEdits : public testing::TestWithParam<EditCase> { };

TEST_P(QuoteSheetModelEdits, ViewFollowingTheSignalsShowsTheEditedSheet)
{
    const EditCase& c = GetParam();
    QuoteSheetModel model(halfPackageSheet(c.rooms));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    SignalMirror mirror(model);

    QuoteSheet expected = model.sheet();
    c.edit(expected);
    model.edit(c.edit);

    EXPECT_EQ(model.sheet(), expected);
    EXPECT_EQ(mirror.rows(), mirror.modelRows());
    EXPECT_EQ(mirror.resets, 0);
    EXPECT_EQ(mirror.inserts, c.inserts);
    EXPECT_EQ(mirror.removals, c.removals);
    EXPECT_LE(mirror.changedRows, c.maxChangedRows);
}

void changeTotalOfRow(QuoteSheet& sheet, int row, Text total)
{
    sheet.SetCell(row, kTotal, std::move(total));
}

INSTANTIATE_TEST_SUITE_P(Edits, QuoteSheetModelEdits,
    testing::Values(EditCase { "nothing", 3, [](QuoteSheet&) {}, 0, 0, 0 },
        EditCase { "one cell", 3, [](QuoteSheet& s) { s.SetCell(2, kQuantity, "8.96"); }, 0, 0, 1 },
        EditCase { "modify row and project total", 200,
            [](QuoteSheet& s) {
                s.SetCell(5, kTotal, "519.68");
                changeTotalOfRow(s, s.RowCount() - 1, "99999");
            },
            0, 0, 2 },
        EditCase { "delete one row, total rewritten", 200,
            [](QuoteSheet& s) {
                s.RemoveRow(401);
                changeTotalOfRow(s, s.RowCount() - 1, "1");
            },
            0, 1, 1 },
        EditCase { "delete the first row", 5, [](QuoteSheet& s) { s.RemoveRow(0); }, 0, 1, 0 },
        EditCase { "delete the last row", 5, [](QuoteSheet& s) { s.RemoveRow(s.RowCount() - 1); }, 0, 1, 0 },
        EditCase { "added-items block above the fees", 200,
            [](QuoteSheet& s) {
                const int other = rowNamed(s, kOtherSection);
                s.Truncate(other);
                s.AppendBlankRow();
                s.AppendRow(QuoteRow { "-", "清水漆", "增", "10", "44.5", "445" }, RowKind::AddedItem);
                s.AppendBlankRow();
                AppendFeesAndProjectTotal(s);
            },
            1, 0, 4 },
        EditCase { "blank rows that look alike", 4,
            [](QuoteSheet& s) {
                s.InsertRow(3, QuoteRow {}, RowKind::Blank);
                s.InsertRow(3, QuoteRow {}, RowKind::Blank);
            },
            1, 0, 0 },
        EditCase { "every row removed", 50, [](QuoteSheet& s) { s.Clear(); }, 0, 1, 0 },
        EditCase { "many rows inserted in the middle", 50,
            [](QuoteSheet& s) {
                for (int i = 0; i < 100; ++i)
                    s.InsertRow(20, QuoteRow { "", "墙体拆除", "增", "1", std::to_string(i), "" }, RowKind::AddedItem);
            },
            1, 0, 0 },
        EditCase { "many rows removed from the middle", 50,
            [](QuoteSheet& s) {
                for (int i = 0; i < 100; ++i)
                    s.RemoveRow(20);
            },
            0, 1, 0 }),
    [](const testing::TestParamInfo<EditCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(QuoteSheetModel, StartsFromAnEmptySheetAndGrows)
{
    QuoteSheetModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    SignalMirror mirror(model);
    model.adopt(halfPackageSheet(2));
    EXPECT_EQ(mirror.rows(), mirror.modelRows());
    EXPECT_EQ(mirror.inserts, 1);
    EXPECT_EQ(model.rowCount(), halfPackageSheet(2).RowCount());
}

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
