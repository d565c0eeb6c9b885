// The one conversion between the core's UTF-8 texts and Qt's strings.
#pragma once

#include <QString>
#include <string_view>

namespace korvath {

inline QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace korvath
