// What the two Topcon raw commands share once they have the raw lines: the filter that keeps
// the key lines, and the records read back from them.
#pragma once

#include <string>
#include <string_view>

#include "flow/output_file.hpp"

namespace korvath {
class Conversion;
class ItemReader;
}  // namespace korvath

namespace korvath::topcon {

/// Writes a raw line as a key line when its key, columns 1 to 8, trims to "STN", "BS", "SS",
/// "SD" or "HV": the key as cut, ",", the data from column 9, CR LF. Other lines are dropped.
void write_key_line(OutputFile& key_lines, std::string_view raw_line);

/// Pass C: the key lines read back item by item into observations, reduced to the backsight
/// and routed to the station or the point file (created here).
void convert_raw_records(Conversion& c, ItemReader& rows);

}  // namespace korvath::topcon
