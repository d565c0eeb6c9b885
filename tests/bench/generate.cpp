// bench-generate COMMAND MEGABYTES PATH: writes a realistic instrument file of about that size
// for the command, for `make bench`.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "bench/instrument_file.hpp"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench-generate COMMAND MEGABYTES PATH\n");
    return 2;
  }
  const std::string command = argv[1];
  if (!korvath::bench::has_generator(command)) {
    std::fprintf(stderr, "bench-generate: no generator for %s\n", command.c_str());
    return 3;
  }
  const auto bytes = static_cast<std::uint64_t>(std::atof(argv[2]) * 1e6);
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> out(std::fopen(argv[3], "wb"));
  if (!out) {
    std::perror(argv[3]);
    return 1;
  }
  bool ok = true;
  korvath::bench::generate(command, bytes, [&](std::string_view text) {
    ok = ok && std::fwrite(text.data(), 1, text.size(), out.get()) == text.size();
  });
  if (!ok || std::fclose(out.release()) != 0) {
    std::perror(argv[3]);
    return 1;
  }
  return 0;
}
