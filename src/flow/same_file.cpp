#include "flow/same_file.hpp"

#include <filesystem>

namespace korvath {

bool same_file(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::exists(a, error) && fs::exists(b, error)) {
    const bool same = fs::equivalent(a, b, error);
    if (!error) return same;
  }
  const fs::path pa = fs::weakly_canonical(fs::absolute(a, error), error);
  const fs::path pb = fs::weakly_canonical(fs::absolute(b, error), error);
  return pa == pb;
}

}  // namespace korvath
