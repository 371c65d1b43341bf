// The one pair of helpers through which texts cross between the core (UTF-8 std::string)
// and Qt.
#pragma once

#include <QString>
#include <string_view>

#include "convert/convert.h"

namespace rq {

inline QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline Text fromQString(const QString& text) { return text.toStdString(); }

}  // namespace rq
