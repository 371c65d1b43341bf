// The texts of a quote sheet's rows, packed: each row's six texts lie one after another in
// large blocks of memory, every text led by its length. A quote of 100,000 rooms has over a
// million rows, nearly all of short texts or none; as six strings a row took 192 bytes
// before its first character, and filling and freeing them was most of a large quote's time.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace rq {

inline constexpr int kRowTextCount = 6;

// A row's texts as the store holds them: valid until the store next changes.
using RowTexts = std::array<std::string_view, kRowTextCount>;

class RowStore {
public:
    RowStore() = default;
    // A copy holds only the rows, packed anew: texts overwritten or rows removed in the
    // original take no room in it.
    RowStore(const RowStore& other);
    RowStore& operator=(const RowStore& other);
    RowStore(RowStore&&) noexcept = default;
    RowStore& operator=(RowStore&&) noexcept = default;

    int size() const { return static_cast<int>(m_rows.size()); }

    // Rows and columns must be inside the store.
    std::string_view text(int row, int column) const;
    RowTexts texts(int row) const;
    bool sameRow(int row, const RowStore& other, int otherRow) const;

    // The texts given may lie in this store: they are read before anything is given up.
    void append(const RowTexts& texts);
    // Copies row `row` of `other` as it is.
    void appendFrom(const RowStore& other, int row);
    void insert(int at, const RowTexts& texts);
    void setText(int row, int column, std::string_view text);
    void erase(int row);
    // Rows [begin, end) give way to the rows of `rows`, whose memory is taken over.
    void replace(int begin, int end, RowStore&& rows);
    void truncate(int count);
    void clear();
    void reserve(int rows);

    bool operator==(const RowStore& other) const;

private:
    // Room for `bytes` more bytes that will never move.
    char* allocate(std::size_t bytes);
    char* writeRow(const RowTexts& texts);
    void giveUp(const char* row);
    // Packs the rows anew once most of the memory held is texts given up, so that a long
    // run of edits never grows it without end.
    void packIfWasteful();

    std::vector<char*> m_rows;                       // where each row's texts begin
    std::vector<std::unique_ptr<char[]>> m_blocks;   // every block rows were written into
    char* m_free = nullptr;                          // unused room at the end of the last block
    std::size_t m_freeBytes = 0;
    std::size_t m_nextBlockBytes = 0;
    std::size_t m_writtenBytes = 0;  // bytes of every row ever written into the blocks held
    std::size_t m_givenUpBytes = 0;  // of those, the rows since overwritten or removed
};

}  // namespace rq
