// One Nikon conversion case: the download's bytes and both measurement files as they must be.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "support/convert.hpp"

namespace korvath::test {

struct ByteCase {
  const char* name;
  std::string input, stations, points;
};

// A failing case is shown by its name, not by its bytes.
inline void PrintTo(const ByteCase& c, std::ostream* os) {
  *os << c.name;
}

inline std::string case_name(const ::testing::TestParamInfo<ByteCase>& info) {
  return info.param.name;
}

/// Converts the case's input with the command and compares both files and the success message.
inline void expect_converted(std::string_view command, const ByteCase& c) {
  const Converted out = convert_bytes(command, c.input);
  ASSERT_EQ(out.status, Outcome::Status::converted) << (out.error ? out.error->what() : "");
  EXPECT_EQ(out.file(0), c.stations);
  EXPECT_EQ(out.file(1), c.points);
  ASSERT_EQ(out.ui.messages.size(), 1u);
  EXPECT_EQ(out.ui.messages[0].text, "Η μετατροπή ολοκληρώθηκε επιτυχώς");
}

}  // namespace korvath::test
