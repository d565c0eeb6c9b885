// The usage forms of `korvath`, one line each: the help prints them, and the README and the man
// page give the same lines (tests/cli/synopsis_test.cpp holds them to it).
#pragma once

#include <string_view>

namespace korvath {

inline constexpr std::string_view kSynopsis[] = {
    "korvath [FILE...]",
    "korvath list",
    "korvath detect FILE...",
    "korvath detect --id FILE",
    "korvath convert COMMAND INPUT OUTPUT [OUTPUT2] [--overwrite=ask|yes|no] [--scratch-dir=DIR]",
    "korvath convert COMMAND --to DIR FILE... [-j N] [--overwrite=ask|yes|no] [--scratch-dir=DIR]",
    "korvath convert COMMAND - OUTPUT [OUTPUT2] [--overwrite=yes|no] [--scratch-dir=DIR] < INPUT",
    "korvath convert auto INPUT OUTPUT [OUTPUT2] [--overwrite=ask|yes|no] [--scratch-dir=DIR]",
    "korvath convert auto --to DIR FILE... [-j N] [--overwrite=ask|yes|no] [--scratch-dir=DIR]",
    "korvath detect [--id] - < INPUT",
    "korvath --help | --version",
};

}  // namespace korvath
