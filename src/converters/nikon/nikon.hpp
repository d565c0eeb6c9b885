// The Nikon converters, one function per command.
#pragma once

#include "flow/signature.hpp"

namespace korvath {
class Conversion;
}

namespace korvath::nikon {

/// NPL 352 DOS download (.cmt): "*" station records and observation records of five items each
/// -> station and point measurement files (already open: the command opens them early).
void convert_npl352_dos(Conversion& c);
/// NPL 352 raw download (.nik): the ST, F1 and SS records, kept in "/nikhelp.txt", -> station
/// and point measurement files.
void convert_npl352_raw(Conversion& c);
/// DTM-300 download (.nik): "1 , 0 , MD , ..." records, type 2 set-ups and type 0 shots ->
/// station and point measurement files.
void convert_dtm300(Conversion& c);

/// What each command's format looks like in the first lines of a file (`korvath detect`).
Fit npl352_dos_signature(const Prefix& prefix);
Fit npl352_raw_signature(const Prefix& prefix);
Fit dtm300_signature(const Prefix& prefix);

}  // namespace korvath::nikon
