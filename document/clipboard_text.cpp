#include "document/clipboard_text.h"

#include "document/csv_writer.h"

namespace rq {
namespace {

void AppendHtmlText(Text& out, const Text& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n')
                break;
            out += "<br>";
            break;
        case '\n': out += "<br>"; break;
        default: out += text[i];
        }
    }
}

}  // namespace

ClipboardText RowsForClipboard(const QuoteDocument& document, const std::vector<int>& rows)
{
    ClipboardText result;
    result.html = "<html><head><meta charset=\"utf-8\"></head><body><table>\n";
    // The heads come first, so that a paste says what each column holds, the added-item
    // mark's column included.
    if (!document.columnHeads.empty()) {
        result.html += "<tr>";
        for (std::size_t column = 0; column < document.columnHeads.size(); ++column) {
            if (column > 0)
                result.tabSeparated += '\t';
            AppendQuotedField(result.tabSeparated, document.columnHeads[column], "\t\r\n\"");
            result.html += "<th>";
            AppendHtmlText(result.html, document.columnHeads[column]);
            result.html += "</th>";
        }
        result.tabSeparated += '\n';
        result.html += "</tr>\n";
    }
    for (const int index : rows) {
        if (index < 0 || index >= static_cast<int>(document.rows.size()))
            continue;
        const DocumentRow& row = document.rows[static_cast<std::size_t>(index)];
        const bool bold = row.emphasis != RowEmphasis::Plain;
        result.html += "<tr>";
        for (std::size_t column = 0; column < row.cells.size(); ++column) {
            if (column > 0)
                result.tabSeparated += '\t';
            // Spreadsheets read a quoted cell back whole, tabs and line breaks included.
            AppendQuotedField(result.tabSeparated, row.cells[column], "\t\r\n\"");
            result.html += bold ? "<td style=\"font-weight:bold\">" : "<td>";
            AppendHtmlText(result.html, row.cells[column]);
            result.html += "</td>";
        }
        result.tabSeparated += '\n';
        result.html += "</tr>\n";
    }
    result.html += "</table></body></html>\n";
    return result;
}

}  // namespace rq
