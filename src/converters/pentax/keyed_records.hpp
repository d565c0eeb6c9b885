// What the two Pentax measurement commands share: the seven record keys, the scratch file of
// "KEY,value" lines, and the pass that turns those lines into observations and the listing.
#pragma once

#include <string>
#include <string_view>

#include "flow/conversion.hpp"
#include "flow/conversion_error.hpp"

namespace korvath::pentax {

/// One of "STS", "INH", "PPD", "PFH", "RTH", "RTV", "RTD", exactly (case counts).
bool is_record_key(std::string_view key);

/// Appends the scratch line of one trimmed instrument line to `scratch_line`, without its line
/// end; false drops the line. May throw ConversionError at `where`.
using KeyedLineRule = bool (*)(std::string_view trimmed_line, const Where& where,
                               std::string& scratch_line);

/// Pass 1 filters the input through `rule` into the scratch file; pass 2 reads it back and
/// writes the station and point files and the `.ODR` listing (all three created only then).
void convert_keyed_download(Conversion& c, KeyedLineRule rule);

}  // namespace korvath::pentax
