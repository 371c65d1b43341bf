#include "quote/row_store.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace rq {
namespace {

using PlainRow = std::array<std::string, kRowTextCount>;

RowTexts viewsOf(const PlainRow& row)
{
    RowTexts views;
    for (std::size_t i = 0; i < row.size(); ++i)
        views[i] = row[i];
    return views;
}

// Texts of the lengths that matter to the store: none, short, past one length byte, and
// past the quarter block that gets a block of its own.
std::string randomText(std::mt19937& random)
{
    static const std::size_t kLengths[] = {0, 0, 1, 3, 15, 127, 128, 300, 5000};
    const std::size_t length = random() % 200 == 0 ? 300'000 : kLengths[random() % std::size(kLengths)];
    return std::string(length, static_cast<char>('a' + random() % 26));
}

PlainRow randomRow(std::mt19937& random)
{
    PlainRow row;
    for (std::string& text : row)
        text = randomText(random);
    return row;
}

// Every change a sheet makes, at random, against plain strings: the store must read back
// the same texts throughout, texts taken from the store itself included, and however
// often it packs its memory anew.
TEST(RowStore, ReadsBackWhatPlainStringsHoldThroughEveryChange)
{
    std::mt19937 random(15);
    RowStore store;
    std::vector<PlainRow> plain;
    for (int step = 0; step < 6000; ++step) {
        const int count = static_cast<int>(plain.size());
        const int row = count > 0 ? static_cast<int>(random() % static_cast<unsigned>(count)) : 0;
        const int column = static_cast<int>(random() % kRowTextCount);
        switch (count == 0 ? 0 : random() % 9) {
        case 0:
        case 1: {
            const PlainRow added = randomRow(random);
            store.append(viewsOf(added));
            plain.push_back(added);
            break;
        }
        case 2: {
            const PlainRow added = randomRow(random);
            store.insert(row, viewsOf(added));
            plain.insert(plain.begin() + row, added);
            break;
        }
        case 3: {
            const std::string text = randomText(random);
            store.setText(row, column, text);
            plain[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
            break;
        }
        case 4: {  // a cell set from another cell of the same store
            const int from = static_cast<int>(random() % static_cast<unsigned>(count));
            const int fromColumn = static_cast<int>(random() % kRowTextCount);
            store.setText(row, column, store.text(from, fromColumn));
            plain[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                plain[static_cast<std::size_t>(from)][static_cast<std::size_t>(fromColumn)];
            break;
        }
        case 5:
            store.appendFrom(store, row);
            plain.push_back(plain[static_cast<std::size_t>(row)]);
            break;
        case 6:
            store.erase(row);
            plain.erase(plain.begin() + row);
            break;
        case 7: {
            const int end = row + static_cast<int>(random() % static_cast<unsigned>(count - row + 1));
            RowStore rows;
            std::vector<PlainRow> added(random() % 4);
            for (PlainRow& one : added) {
                one = randomRow(random);
                rows.append(viewsOf(one));
            }
            store.replace(row, end, std::move(rows));
            plain.erase(plain.begin() + row, plain.begin() + end);
            plain.insert(plain.begin() + row, added.begin(), added.end());
            break;
        }
        default:
            if (random() % 8 == 0) {
                store.truncate(row);
                plain.resize(static_cast<std::size_t>(row));
            } else {
                store = RowStore(store);
            }
        }
        ASSERT_EQ(store.size(), static_cast<int>(plain.size())) << "step " << step;
        for (int i = 0; i < store.size(); ++i)
            ASSERT_EQ(store.texts(i), viewsOf(plain[static_cast<std::size_t>(i)])) << "step " << step << " row " << i;
    }
    const RowStore copy = store;
    EXPECT_TRUE(copy == store);
}

}  // namespace
}  // namespace rq
