// A workbook made by hand from its XML parts, as other spreadsheet programs write them, for
// the XLSX reader's tests and fuzzer: only the parts the reader looks at.
#pragma once

#include <zip.h>

#include <string>
#include <utility>
#include <vector>

namespace rq::testing {

using WorkbookParts = std::vector<std::pair<std::string, std::string>>;

inline std::string ZipOfParts(const WorkbookParts& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_keep(buffer);
    for (const auto& [name, bytes] : parts)
        zip_file_add(archive, name.c_str(), zip_source_buffer(archive, bytes.data(), bytes.size(), 0), ZIP_FL_OVERWRITE);
    zip_close(archive);
    std::string zipped;
    zip_stat_t stat;
    if (zip_source_stat(buffer, &stat) == 0 && zip_source_open(buffer) == 0) {
        zipped.resize(stat.size);
        zip_source_read(buffer, zipped.data(), stat.size);
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return zipped;
}

// The workbook's frame around a first sheet `sheet` and its shared texts `strings`.
inline WorkbookParts WorkbookAround(std::string sheet, std::string strings, std::string styles = {})
{
    WorkbookParts parts = {
        { "xl/workbook.xml",
            R"(<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
            R"(<sheets><sheet name="价格" sheetId="1" r:id="rId7"/></sheets></workbook>)" },
        { "xl/_rels/workbook.xml.rels",
            R"(<Relationships><Relationship Id="rId7" Target="worksheets/prices.xml"/></Relationships>)" },
        { "xl/worksheets/prices.xml", std::move(sheet) },
        { "xl/sharedStrings.xml", std::move(strings) },
    };
    if (!styles.empty())
        parts.emplace_back("xl/styles.xml", std::move(styles));
    return parts;
}

} // namespace rq::testing
