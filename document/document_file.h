// Writing a quote document to a file: the formats by their file name extension, and the
// one way every format reaches the disk — through a temporary file beside the target,
// renamed over it only when complete, so that a failed or stopped export never leaves
// half a file where the user's earlier file was.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "convert/convert.h"

namespace rq {

enum class DocumentFormat { Tsv, Csv, Xlsx, Pdf };

// ".tsv" and ".txt" are the tab-separated sheet, ".csv", ".xlsx" and ".pdf" the documents;
// case does not matter. Any other name has no format.
std::optional<DocumentFormat> FormatOfPath(std::string_view path);

// Called as the work goes on, with how much of how much is done; false stops the work.
using ProgressCallback = std::function<bool(int done, int total)>;

struct WriteResult {
    enum class Status { Written, Stopped, Failed };
    Status status = Status::Written;
    Text problem;  // for Failed: what went wrong, in Chinese, naming the file
    bool written() const { return status == Status::Written; }
};

WriteResult Stopped();
WriteResult Failed(Text problem);

// `write` fills the temporary file it is given; when it reports Written, the file takes
// the place of `path`, otherwise it is removed and `path` is left as it was.
WriteResult WriteThroughTemporary(const std::string& path,
                                  const std::function<WriteResult(const std::string& temporaryPath)>& write);

// The bytes as the whole content of `path`.
WriteResult WriteBytes(const std::string& path, std::string_view bytes);

// "无法写入文件 PATH（没有写入权限）" for the error number of a failed call.
Text WriteProblem(const std::string& path, int errorNumber);

}  // namespace rq
