// The Topcon converters, one function per command.
#pragma once

#include "flow/signature.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::topcon {

/// Topcon GTS 3000 download (records "1" set-up, "2" observation) -> station and point files.
void convert_gts3000(Conversion& c);
/// Topcon GTS 3000 raw file (keys STN, BS, SS, SD, HV), records separated by bare line feeds.
void convert_gts3000_raw(Conversion& c);
/// The same raw file after WordPad has saved it again with CR LF line ends.
void convert_gts3000_raw_wordpad(Conversion& c);
/// Topcon GTS-200 series serial dump, framed in blocks or bare: "_'" set-ups and "_+" ... "_ ?"
/// observations -> station and point measurement files.
void convert_gts200_dump(Conversion& c);

/// What each command's format looks like in the first lines of a file (`korvath detect`). Both
/// raw commands read the same records: the line ends tell them apart.
Fit gts3000_signature(const Prefix& prefix);
Fit gts3000_raw_signature(const Prefix& prefix);
Fit gts200_dump_signature(const Prefix& prefix);

}  // namespace korvath::topcon
