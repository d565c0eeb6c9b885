#include "flow/overwrite.hpp"

#include <sys/stat.h>

#include <filesystem>

#include "flow/output_file.hpp"

namespace korvath {

namespace {

// The last "." of the file's own name: a dot in a folder of the path is no extension, and
// cutting there would write another file in another folder than the one chosen.
std::string_view::size_type extension_dot(std::string_view path) {
  const auto dot = path.rfind('.');
  const auto slash = path.rfind('/');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
    return std::string_view::npos;
  return dot;
}

}  // namespace

std::string output_name(std::string_view path, std::string_view extension) {
  const auto dot = extension_dot(path);
  std::string result(dot == std::string_view::npos ? path : path.substr(0, dot));
  return result.append(".").append(extension);
}

std::string odr_name(std::string_view chosen_point_path) {
  if (extension_dot(chosen_point_path) == std::string_view::npos)
    return std::string(chosen_point_path) + ".txm.ODR";
  return output_name(chosen_point_path, "ODR");
}

bool has_content(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
}

void confirm_overwrite(const std::string& path, Platform& ui) {
  overwrite_allowed = true;
  OutputFile file(path, OutputFile::Mode::append);
  const bool has_content = file.length() > 0;
  file.close();
  if (has_content) overwrite_allowed = ui.ask_overwrite(path);
}

std::vector<std::string> named_outputs(const ConversionCommand& command, const std::string& input,
                                       const std::string& folder) {
  const std::filesystem::path base =
      std::filesystem::path(folder) / std::filesystem::path(input).stem();
  if (command.outputs == Outputs::coordinates) return {base.string() + ".seq"};
  return {base.string() + "_stations.txm", base.string() + "_points.txm"};
}

}  // namespace korvath
