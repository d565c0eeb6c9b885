// The Nikon NPL 352 converters, one function per command.
#pragma once

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

}  // namespace korvath::nikon
