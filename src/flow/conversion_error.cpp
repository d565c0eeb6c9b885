#include "flow/conversion_error.hpp"

namespace korvath {

std::string_view fault_name(Fault fault) {
  switch (fault) {
    case Fault::cancelled:
      return "cancelled";
    case Fault::cannot_open:
      return "cannot_open";
    case Fault::cannot_create:
      return "cannot_create";
    case Fault::read_past_end:
      return "read_past_end";
    case Fault::not_a_number:
      return "not_a_number";
    case Fault::not_an_angle:
      return "not_an_angle";
    case Fault::out_of_circle:
      return "out_of_circle";
    case Fault::number_too_large:
      return "number_too_large";
    case Fault::line_too_short:
      return "line_too_short";
    case Fault::line_too_long:
      return "line_too_long";
    case Fault::bad_field:
      return "bad_field";
    case Fault::too_many_values:
      return "too_many_values";
    case Fault::write_failed:
      return "write_failed";
    case Fault::unknown_unit:
      return "unknown_unit";
    case Fault::stream_too_large:
      return "stream_too_large";
    case Fault::interrupted:
      return "interrupted";
    case Fault::other:
      return "other";
  }
  return "unknown";
}

ConversionError::ConversionError(Fault fault, const Where& where, std::string detail)
    : std::runtime_error(std::string(fault_name(fault)) + " in " + std::string(where.file) +
                         (where.line ? " at line " + std::to_string(where.line) : std::string()) +
                         (detail.empty() ? std::string() : ": " + detail)),
      fault_(fault),
      file_(where.file),
      line_(where.line),
      detail_(std::move(detail)) {}

}  // namespace korvath
