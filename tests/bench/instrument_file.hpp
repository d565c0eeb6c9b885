// Realistic instrument files of any size, one format per command of the catalogue: set-ups,
// backsights, observations to stations and many detail points, in the record layout and the
// line ends each instrument writes. Deterministic for a given size, so runs compare.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace korvath::bench {

/// Whether a generator exists for the command with this id.
bool has_generator(std::string_view command_id);

/// Writes an instrument file of about `bytes` bytes (whole records, at least one station) for
/// the command, handing the text to `sink` in pieces of about a megabyte. Throws
/// std::invalid_argument when the command has no generator.
void generate(std::string_view command_id, std::uint64_t bytes,
              const std::function<void(std::string_view)>& sink);

}  // namespace korvath::bench
