#pragma once
// CP932 text handed to a widget: the one place it becomes Unicode.
#include <QString>

#include <string_view>

#include "platform/text_codec.h"

namespace prismel {

inline QString qt_text(std::string_view cp932) { return QString::fromStdString(to_utf8(cp932)); }
// A null pointer is no text.
inline QString qt_text(const char* cp932) { return qt_text(std::string_view(cp932 ? cp932 : "")); }

}  // namespace prismel
