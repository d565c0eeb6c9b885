#include "converters/catalogue.hpp"

#include "converters/foif/foif.hpp"
#include "converters/geodimeter/geodimeter.hpp"
#include "converters/leica/leica.hpp"
#include "converters/nikon/nikon.hpp"
#include "converters/pentax/pentax.hpp"
#include "converters/sokkia/sokkia.hpp"
#include "converters/south/south.hpp"
#include "converters/topcon/topcon.hpp"

namespace korvath {
namespace {

constexpr std::string_view kAllFiles = "Όλα τα αρχεία (*.*)|*.*|";
constexpr std::string_view kGeodimeterTitle = "Άνοιγμα αρχείου GEODIMETER";
constexpr std::string_view kGeodimeterFilter =
    "Αρχεία JOB/ARE (*.job;*.JOB;*.are;*.ARE)|*.job;*.JOB;*.are;*.ARE|Όλα τα αρχεία (*.*)|*.*|";
constexpr std::string_view kLeica407Title = "Άνοιγμα αρχείου LEICA TCR407";
constexpr std::string_view kLeicaGsiTitle = "Άνοιγμα αρχείου LEICA GSI";
// GSI downloads end in .gsi, or .gre from some field software; either case.
constexpr std::string_view kLeicaGsiFilter =
    "Αρχεία GSI (*.gsi;*.GSI;*.gre;*.GRE)|*.gsi;*.GSI;*.gre;*.GRE|Όλα τα αρχεία (*.*)|*.*|";
constexpr std::string_view kNikonTitle = "Άνοιγμα αρχείου Nikon NPL 352";
constexpr std::string_view kPentaxMesTitle = "Άνοιγμα αρχείου μετρήσεων PENTAX";
constexpr std::string_view kPentaxCorTitle = "Άνοιγμα αρχείου συντεταγμένων PENTAX";
constexpr std::string_view kFoifFiles =
    "Αρχεία MES (*.mes;*.MES)|*.mes;*.MES|Όλα τα αρχεία (*.*)|*.*|";
constexpr std::string_view kSokkiaTitle = "Άνοιγμα αρχείου SOKKIA SDR33";
constexpr std::string_view kSokkiaFilter =
    "Αρχεία SDR33 (*.sdr;*.SDR)|*.sdr;*.SDR|Όλα τα αρχεία (*.*)|*.*|";
constexpr std::string_view kTopconTitle = "Άνοιγμα αρχείου μετρήσεων TOPCON_3000";

constexpr ConversionCommand kCommands[] = {
    {.id = "leica-tc600",
     .menu_name = "mnuLEICATC600",
     .menu_path = "LEICA",
     .caption = "TC 600",
     .open_title = "Άνοιγμα αρχείου WILD TC 600",
     .open_filter = "Αρχεία  TC6 (*.TC6)|*.TC6|",
     .outputs = Outputs::measurements,
     .opening = Opening::early,
     .validate = &leica::validate_tc600,
     .convert = &leica::convert_tc600,
     .signature = &leica::tc600_signature},
    {.id = "leica-tcr307",
     .menu_name = "mnuLEICATCR307",
     .menu_path = "LEICA",
     .caption = "TCR 307",
     .open_title = "Άνοιγμα αρχείου LEICA TCR307",
     .open_filter = kAllFiles,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .scratch_files = {"/L307hlp.txt", "/L307hlp2.txt"},
     .convert = &leica::convert_tcr307,
     .signature = &leica::tcr307_signature},
    {.id = "leica-tcr407-idx",
     .menu_name = "mnuLEICATCR407IDX",
     .menu_path = "LEICA/TCR 407",
     .caption = "IDX FILE",
     .open_title = kLeica407Title,
     .open_filter = "Αρχεία IDX (*.idx)|*.idx|",
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .scratch_files = {"/lei3hlp.txt"},
     .convert = &leica::convert_tcr407_idx,
     .signature = &leica::tcr407_idx_signature},
    {.id = "leica-tcr407-mdt",
     .menu_name = "mnuLEICATCR407MDT",
     .menu_path = "LEICA/TCR 407",
     .caption = "MDT FILE",
     .open_title = kLeica407Title,
     .open_filter = "Αρχεία MDT (*.mdt)|*.mdt|",
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .scratch_files = {"/lei3hlp.txt"},
     .convert = &leica::convert_tcr407_mdt,
     .signature = &leica::tcr407_mdt_signature},
    {.id = "leica-tcr407-coords",
     .menu_name = "mnuLEICATCR407CORDS",
     .menu_path = "LEICA/TCR 407",
     .caption = "ΣΥΝΤΕΤΑΓΜΕΝΕΣ (IDX)",
     .open_title = kLeica407Title,
     .open_filter = "Αρχεία IDX (*.idx)|*.idx|",
     .outputs = Outputs::coordinates,
     .convert = &leica::convert_tcr407_coords,
     .signature = &leica::tcr407_coords_signature},
    {.id = "leica-gsi",
     .menu_name = "mnuLEICAGSIMES",
     .menu_path = "LEICA/GSI-8 / GSI-16",
     .caption = "ΜΕΤΡΗΣΕΙΣ",
     .open_title = kLeicaGsiTitle,
     .open_filter = kLeicaGsiFilter,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .convert = &leica::convert_gsi,
     .signature = &leica::gsi_signature},
    {.id = "leica-gsi-coords",
     .menu_name = "mnuLEICAGSICOR",
     .menu_path = "LEICA/GSI-8 / GSI-16",
     .caption = "ΣΥΝΤΕΤΑΓΜΕΝΕΣ",
     .open_title = kLeicaGsiTitle,
     .open_filter = kLeicaGsiFilter,
     .outputs = Outputs::coordinates,
     .convert = &leica::convert_gsi_coordinates,
     .signature = &leica::gsi_coordinates_signature},
    {.id = "nikon-npl352-dos",
     .menu_name = "mnuNIKONNPL352DOS",
     .menu_path = "NIKON/NPL 352",
     .caption = "DOS FORMAT",
     .open_title = kNikonTitle,
     .open_filter = "Αρχεία DOS (*.cmt)|*.cmt|",
     .outputs = Outputs::measurements,
     .opening = Opening::early,
     .convert = &nikon::convert_npl352_dos,
     .signature = &nikon::npl352_dos_signature},
    {.id = "nikon-npl352-raw",
     .menu_name = "mnuNIKONNPL352RAW",
     .menu_path = "NIKON/NPL 352",
     .caption = "RAW FORMAT",
     .open_title = kNikonTitle,
     .open_filter = "Αρχεία RAW (*.nik)|*.nik|",
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .scratch_files = {"/nikhelp.txt"},
     .convert = &nikon::convert_npl352_raw,
     .signature = &nikon::npl352_raw_signature},
    {.id = "nikon-dtm300",
     .menu_name = "mnuNIKONDTM300",
     .menu_path = "NIKON",
     .caption = "DTM-300",
     .open_title = "Άνοιγμα αρχείου Nikon DTM-300",
     .open_filter = "Αρχεία DTM-300 (*.nik *.NIK)|*.nik;*.NIK|Όλα τα αρχεία (*.*)|*.*|",
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .convert = &nikon::convert_dtm300,
     .signature = &nikon::dtm300_signature},
    {.id = "pentax-mes",
     .menu_name = "mnuPENTAXMES",
     .menu_path = "PENTAX",
     .caption = "ΜΕΤΡΗΣΕΙΣ RAW",
     .open_title = kPentaxMesTitle,
     .open_filter = kAllFiles,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .scratch_files = {"/PENhlp.txt"},
     .odr_listing = true,
     .convert = &pentax::convert_measurements,
     .signature = &pentax::measurements_signature},
    {.id = "pentax-cor",
     .menu_name = "mnuPENTAXCOR",
     .menu_path = "PENTAX",
     .caption = "ΣΥΝΤΕΤΑΓΜΕΝΕΣ RAW",
     .open_title = kPentaxCorTitle,
     .open_filter = kAllFiles,
     .outputs = Outputs::coordinates,
     .convert = &pentax::convert_coordinates,
     .signature = &pentax::coordinates_signature},
    {.id = "pentax-mes-traverse",
     .menu_name = "mnuPENTAXMESOD",
     .menu_path = "PENTAX",
     .caption = "ΜΕΤΡΗΣΕΙΣ (ΟΔΕΥΣΗ)",
     .open_title = kPentaxMesTitle,
     .open_filter = kAllFiles,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .scratch_files = {"/PENhlp.txt"},
     .odr_listing = true,
     .convert = &pentax::convert_measurements_traverse,
     .signature = &pentax::measurements_traverse_signature},
    {.id = "pentax-cor-traverse",
     .menu_name = "mnuPENTAXCOROD",
     .menu_path = "PENTAX",
     .caption = "ΣΥΝΤΕΤΑΓΜΕΝΕΣ (ΟΔΕΥΣΗ)",
     .open_title = kPentaxCorTitle,
     .open_filter = kAllFiles,
     .outputs = Outputs::coordinates,
     .convert = &pentax::convert_coordinates_traverse,
     .signature = &pentax::coordinates_traverse_signature},
    {.id = "sokkia-sdr",
     .menu_name = "mnuSOKKIASDR33MES",
     .menu_path = "SOKKIA/SDR33",
     .caption = "ΜΕΤΡΗΣΕΙΣ",
     .open_title = kSokkiaTitle,
     .open_filter = kSokkiaFilter,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .validate = &sokkia::validate_sdr33,
     .convert = &sokkia::convert_sdr33_measurements,
     .signature = &sokkia::sdr33_measurements_signature},
    {.id = "sokkia-sdr-coords",
     .menu_name = "mnuSOKKIASDR33COR",
     .menu_path = "SOKKIA/SDR33",
     .caption = "ΣΥΝΤΕΤΑΓΜΕΝΕΣ",
     .open_title = kSokkiaTitle,
     .open_filter = kSokkiaFilter,
     .outputs = Outputs::coordinates,
     .validate = &sokkia::validate_sdr33,
     .convert = &sokkia::convert_sdr33_coordinates,
     .signature = &sokkia::sdr33_coordinates_signature},
    {.id = "south-mes",
     .menu_name = "mnuSOUTHMES",
     .menu_path = "SOUTH",
     .caption = "ΜΕΤΡΗΣΕΙΣ",
     .open_title = "Άνοιγμα αρχείου μετρήσεων South",
     .open_filter = kAllFiles,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .scratch_files = {"/ConvSou.txt"},
     .convert = &south::convert_measurements,
     .signature = &south::measurements_signature},
    {.id = "topcon-gts3000",
     .menu_name = "mnuTOPCONGTS3000",
     .menu_path = "TOPCON",
     .caption = "GPT 3000",
     .open_title = kTopconTitle,
     .open_filter = kAllFiles,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .line_ends = LineEnds::bare_lf,
     .scratch_files = {"/Top300hlp.txt", "/Top3000hlp.txt"},
     .convert = &topcon::convert_gts3000,
     .signature = &topcon::gts3000_signature},
    {.id = "topcon-gts3000-raw",
     .menu_name = "mnuTOPCONGTS3000RAW",
     .menu_path = "TOPCON",
     .caption = "GPT 3000 RAW",
     .open_title = kTopconTitle,
     .open_filter = kAllFiles,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .line_ends = LineEnds::bare_lf,
     .scratch_files = {"/Top300hlp.txt", "/Top3000hlp.txt"},
     .convert = &topcon::convert_gts3000_raw,
     .signature = &topcon::gts3000_raw_signature},
    {.id = "topcon-gts3000-raw-wordpad",
     .menu_name = "mnuTOPCONGTS3000RAWwardpad",
     .menu_path = "TOPCON",
     .caption = "GPT 3000 RAW (WordPad Saved)",
     .open_title = kTopconTitle,
     .open_filter = kAllFiles,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .scratch_files = {"/Top300hlp.txt"},
     .convert = &topcon::convert_gts3000_raw_wordpad,
     .signature = &topcon::gts3000_raw_signature},
    {.id = "foif-mes",
     .menu_name = "mnuFOIFMES",
     .menu_path = "FOIF",
     .caption = "ΜΕΤΡΗΣΕΙΣ",
     .open_title = "Άνοιγμα αρχείου μετρήσεων FOIF",
     .open_filter = kFoifFiles,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .convert = &foif::convert_measurements,
     .signature = &foif::measurements_signature},
    {.id = "foif-cor",
     .menu_name = "mnuFOIFCOR",
     .menu_path = "FOIF",
     .caption = "ΣΥΝΤΕΤΑΓΜΕΝΕΣ",
     .open_title = "Άνοιγμα αρχείου συντεταγμένων FOIF",
     .open_filter = kFoifFiles,
     .outputs = Outputs::coordinates,
     .convert = &foif::convert_coordinates,
     .signature = &foif::coordinates_signature},
    {.id = "topcon-gts200",
     .menu_name = "mnuTOPCONGTS200",
     .menu_path = "TOPCON",
     .caption = "GTS-200 (ΣΕΙΡΙΑΚΗ ΛΗΨΗ)",
     .open_title = "Άνοιγμα αρχείου μετρήσεων TOPCON GTS-200",
     .open_filter = kAllFiles,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .convert = &topcon::convert_gts200_dump,
     .signature = &topcon::gts200_dump_signature},
    {.id = "geodimeter",
     .menu_name = "mnuGEODIMETERMES",
     .menu_path = "GEODIMETER/JOB-ARE",
     .caption = "ΜΕΤΡΗΣΕΙΣ",
     .open_title = kGeodimeterTitle,
     .open_filter = kGeodimeterFilter,
     .outputs = Outputs::measurements,
     .opening = Opening::late,
     .convert = &geodimeter::convert_measurements,
     .signature = &geodimeter::measurements_signature},
    {.id = "geodimeter-coords",
     .menu_name = "mnuGEODIMETERCOR",
     .menu_path = "GEODIMETER/JOB-ARE",
     .caption = "ΣΥΝΤΕΤΑΓΜΕΝΕΣ",
     .open_title = kGeodimeterTitle,
     .open_filter = kGeodimeterFilter,
     .outputs = Outputs::coordinates,
     .convert = &geodimeter::convert_coordinates,
     .signature = &geodimeter::coordinates_signature},
};

}  // namespace

std::span<const ConversionCommand> catalogue() {
  return kCommands;
}

std::string menu_label(const ConversionCommand& command) {
  std::string label(command.caption);
  std::string_view path = command.menu_path;
  for (std::size_t slash = last_menu_separator(path); slash != std::string_view::npos;
       slash = last_menu_separator(path)) {
    label.insert(0, std::string(path.substr(slash + 1)) + " / ");
    path = path.substr(0, slash);
  }
  return std::string(path) + " / " + label;
}

std::size_t last_menu_separator(std::string_view path) {
  for (std::size_t at = path.rfind('/'); at != std::string_view::npos;
       at = at == 0 ? std::string_view::npos : path.rfind('/', at - 1)) {
    const bool in_caption =
        at > 0 && path[at - 1] == ' ' && at + 1 < path.size() && path[at + 1] == ' ';
    if (!in_caption) return at;
  }
  return std::string_view::npos;
}

const ConversionCommand* find_command(std::string_view id_or_menu_name) {
  for (const ConversionCommand& command : kCommands)
    if (command.id == id_or_menu_name || command.menu_name == id_or_menu_name) return &command;
  return nullptr;
}

}  // namespace korvath
