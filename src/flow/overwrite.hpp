// Module1: output naming and the overwrite question, shared by every command.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "flow/command.hpp"

#include "flow/platform.hpp"

namespace korvath {

/// Set by every confirm_overwrite call: whether the chosen output may be written.
inline bool overwrite_allowed = true;

/// Forces the extension: the path up to and including the last "." of its file name followed by
/// the extension, or the path, "." and the extension when the file name has no "." (a dot in a
/// folder does not count: ./coords gives ./coords.seq).
std::string output_name(std::string_view path, std::string_view extension);

/// The `OdrFile` beside a chosen point file: the chosen name up to and including the last "." of
/// its file name followed by "ODR"; with no ".", the chosen name followed by ".txm.ODR".
std::string odr_name(std::string_view chosen_point_path);

/// The outputs of `input` in `folder`, as `--to` and the window's save dialogs name them:
/// NAME_stations.txm and NAME_points.txm (measurements) or NAME.seq (coordinates), NAME the
/// input's file name without its last extension.
std::vector<std::string> named_outputs(const ConversionCommand& command, const std::string& input,
                                       const std::string& folder);

/// Whether `path` names an existing file with content: one the overwrite question is about.
bool has_content(const std::string& path);

/// Opens the path for appending (creating it, empty, when missing); when the file is not
/// empty, asks the overwrite question. Sets overwrite_allowed. Throws Fault::cannot_create when
/// the path cannot be opened for appending.
void confirm_overwrite(const std::string& path, Platform& ui);

}  // namespace korvath
