// Table-driven runs of one command: an instrument file's bytes and what the command must make
// of them, every file compared whole. A test file instantiates the two suites over its tables:
//   INSTANTIATE_TEST_SUITE_P(LeicaTcr307, OutputBytes, ::testing::ValuesIn(kTcr307),
//                            case_name<OutputCase>);
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "flow/conversion_error.hpp"

namespace korvath::test {

/// The outputs a case leaves, whole, in dialog order: `Files{stations, points}`.
using Files = std::vector<std::string>;

/// A run that succeeds and leaves exactly `files` (station and point file, or the coordinate
/// file, in dialog order), telling the user exactly `notes` about the input ("LINE: text").
struct OutputCase {
  std::string_view command;
  const char* name;
  std::string input;
  std::vector<std::string> files;
  std::vector<std::string> notes = {};
};

/// A run that takes the error path with `fault` at `line` of `file` ("input.dat", or a scratch
/// file such as "lei3hlp.txt"), leaving the outputs as `files`.
struct FailureCase {
  std::string_view command;
  const char* name;
  std::string input;
  Fault fault;
  std::string_view file;
  std::uint64_t line;
  std::vector<std::string> files;
};

// A failing case is shown by its name, not by its bytes.
inline void PrintTo(const OutputCase& c, std::ostream* os) {
  *os << c.name;
}
inline void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.name;
}

template <class Case>
std::string case_name(const ::testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

class OutputBytes : public ::testing::TestWithParam<OutputCase> {};
class FailureBytes : public ::testing::TestWithParam<FailureCase> {};

}  // namespace korvath::test
