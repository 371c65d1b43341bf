#include "quote/row_store.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace rq {

namespace {

// Blocks start small and double up to this size; a row larger than a quarter of it (a text
// of many kilobytes) gets its own. The first holds a row or two: most stores are the rows
// an edit keeps to be undone, and ten thousand edits in a project's history must not hold
// four kilobytes each.
constexpr std::size_t kFirstBlockBytes = 128;
constexpr std::size_t kLargestBlockBytes = 1024 * 1024;
// Memory given up is only packed away past this much: packing a small sheet gains nothing.
constexpr std::size_t kWasteWorthPacking = 64 * 1024;

// Lengths are written seven bits to a byte, low bits first, the high bit set on every byte
// but the last: a text shorter than 128 bytes, as almost every cell is, costs one byte more.
char* putLength(char* out, std::size_t length)
{
    while (length >= 0x80) {
        *out++ = static_cast<char>(length | 0x80);
        length >>= 7;
    }
    *out++ = static_cast<char>(length);
    return out;
}

const char* getLength(const char* in, std::size_t& length)
{
    length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        length |= static_cast<std::size_t>(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0)
            return in;
    }
}

std::size_t lengthBytes(std::size_t length)
{
    std::size_t bytes = 1;
    for (; length >= 0x80; length >>= 7)
        ++bytes;
    return bytes;
}

std::size_t packedBytes(const RowTexts& texts)
{
    std::size_t bytes = 0;
    for (const std::string_view text : texts)
        bytes += lengthBytes(text.size()) + text.size();
    return bytes;
}

// The bytes a row takes in its block, lengths included.
std::size_t rowBytes(const char* row)
{
    const char* at = row;
    for (int column = 0; column < kRowTextCount; ++column) {
        std::size_t length = 0;
        at = getLength(at, length) + length;
    }
    return static_cast<std::size_t>(at - row);
}

}  // namespace

RowStore::RowStore(const RowStore& other)
{
    std::size_t bytes = 0;  // of the rows that share a block
    for (const char* row : other.m_rows)
        if (const std::size_t taken = rowBytes(row); taken <= kLargestBlockBytes / 4)
            bytes += taken;
    m_nextBlockBytes = std::clamp(bytes, kFirstBlockBytes, kLargestBlockBytes);
    if (bytes > 0) {
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(bytes));
        m_free = m_blocks.back().get();
        m_freeBytes = bytes;
    }
    m_rows.reserve(other.m_rows.size());
    for (int row = 0; row < other.size(); ++row)
        appendFrom(other, row);
}

RowStore& RowStore::operator=(const RowStore& other)
{
    if (this != &other)
        *this = RowStore(other);
    return *this;
}

char* RowStore::allocate(std::size_t bytes)
{
    m_writtenBytes += bytes;
    if (bytes > kLargestBlockBytes / 4) {
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(bytes));
        return m_blocks.back().get();
    }
    if (bytes > m_freeBytes) {
        // What is left of the last block stays unused: at most a quarter of it.
        m_nextBlockBytes = std::clamp(m_nextBlockBytes * 2, std::max(bytes, kFirstBlockBytes), kLargestBlockBytes);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(m_nextBlockBytes));
        m_free = m_blocks.back().get();
        m_freeBytes = m_nextBlockBytes;
    }
    char* place = m_free;
    m_free += bytes;
    m_freeBytes -= bytes;
    return place;
}

char* RowStore::writeRow(const RowTexts& texts)
{
    char* const row = allocate(packedBytes(texts));
    char* out = row;
    for (const std::string_view text : texts) {
        out = putLength(out, text.size());
        if (!text.empty())
            std::memcpy(out, text.data(), text.size());
        out += text.size();
    }
    return row;
}

void RowStore::giveUp(const char* row) { m_givenUpBytes += rowBytes(row); }

void RowStore::packIfWasteful()
{
    if (m_givenUpBytes > kWasteWorthPacking && m_givenUpBytes * 2 > m_writtenBytes)
        *this = RowStore(*this);
}

std::string_view RowStore::text(int row, int column) const
{
    const char* at = m_rows[static_cast<std::size_t>(row)];
    std::size_t length = 0;
    for (int skipped = 0; skipped < column; ++skipped)
        at = getLength(at, length) + length;
    at = getLength(at, length);
    return {at, length};
}

RowTexts RowStore::texts(int row) const
{
    RowTexts texts;
    const char* at = m_rows[static_cast<std::size_t>(row)];
    for (std::string_view& text : texts) {
        std::size_t length = 0;
        at = getLength(at, length);
        text = {at, length};
        at += length;
    }
    return texts;
}

bool RowStore::sameRow(int row, const RowStore& other, int otherRow) const
{
    const char* mine = m_rows[static_cast<std::size_t>(row)];
    const char* theirs = other.m_rows[static_cast<std::size_t>(otherRow)];
    const std::size_t bytes = rowBytes(mine);
    return bytes == rowBytes(theirs) && std::memcmp(mine, theirs, bytes) == 0;
}

bool RowStore::operator==(const RowStore& other) const
{
    if (size() != other.size())
        return false;
    for (int row = 0; row < size(); ++row)
        if (!sameRow(row, other, row))
            return false;
    return true;
}

void RowStore::append(const RowTexts& texts) { m_rows.push_back(writeRow(texts)); }

void RowStore::appendFrom(const RowStore& other, int row)
{
    const char* from = other.m_rows[static_cast<std::size_t>(row)];
    const std::size_t bytes = rowBytes(from);
    char* const copy = allocate(bytes);
    std::memcpy(copy, from, bytes);
    m_rows.push_back(copy);
}

void RowStore::insert(int at, const RowTexts& texts)
{
    m_rows.insert(m_rows.begin() + at, writeRow(texts));
}

void RowStore::setText(int row, int column, std::string_view text)
{
    char*& place = m_rows[static_cast<std::size_t>(row)];
    RowTexts texts = this->texts(row);
    std::string_view& old = texts[static_cast<std::size_t>(column)];
    // A text of the same length (a total or a serial number rewritten) takes the old one's
    // place; any other makes a new copy of the row.
    if (old.size() == text.size()) {
        if (!text.empty())
            std::memmove(place + (old.data() - place), text.data(), text.size());
        return;
    }
    old = text;
    char* const rewritten = writeRow(texts);
    giveUp(place);
    place = rewritten;
    packIfWasteful();
}

void RowStore::erase(int row)
{
    giveUp(m_rows[static_cast<std::size_t>(row)]);
    m_rows.erase(m_rows.begin() + row);
    packIfWasteful();
}

void RowStore::replace(int begin, int end, RowStore&& rows)
{
    for (int row = begin; row < end; ++row)
        giveUp(m_rows[static_cast<std::size_t>(row)]);
    const auto first = m_rows.begin() + begin;
    const auto common = std::min<std::ptrdiff_t>(end - begin, rows.size());
    std::copy_n(rows.m_rows.begin(), common, first);
    if (rows.size() > common)
        m_rows.insert(first + common, rows.m_rows.begin() + common, rows.m_rows.end());
    else
        m_rows.erase(first + common, m_rows.begin() + end);
    // The rows stay where they were written: their blocks become this store's.
    std::move(rows.m_blocks.begin(), rows.m_blocks.end(), std::back_inserter(m_blocks));
    m_writtenBytes += rows.m_writtenBytes;
    m_givenUpBytes += rows.m_givenUpBytes;
    rows.clear();
    packIfWasteful();
}

void RowStore::truncate(int count)
{
    for (int row = count; row < size(); ++row)
        giveUp(m_rows[static_cast<std::size_t>(row)]);
    m_rows.resize(static_cast<std::size_t>(count));
    packIfWasteful();
}

void RowStore::clear() { *this = RowStore(); }

void RowStore::reserve(int rows) { m_rows.reserve(static_cast<std::size_t>(std::max(rows, 0))); }

}  // namespace rq
