// What kind of file a chosen path names, for the files a conversion may read and write.
#pragma once

#include <cstdint>
#include <string>

namespace korvath {

class OutputFile;

enum class FileKind {
  none,    // nothing there (yet)
  file,    // a regular file or a folder: read and written as the flow says
  stream,  // a pipe or FIFO ("-" is standard input): read once, never twice
  device,  // a device or socket: endless or never ending, neither read nor written
  closed,  // "-" when the program was started with standard input closed
};

/// The kind of the file at `path`, links followed; "-" is standard input.
FileKind file_kind(const std::string& path);

/// No download comes near this: a pipe that gives more is endless (`yes`, `cat /dev/zero`).
inline constexpr std::uint64_t kLongestStream = std::uint64_t{2} << 30;

/// Copies the stream at `path` ("-": standard input) to `copy` and closes it, checking as it
/// goes what the readers would refuse later, so that an endless pipe never fills the disk.
/// Throws Fault::line_too_long at a line over kLongestLine, Fault::stream_too_large past `most`
/// bytes, Fault::cannot_open when the stream cannot be read, Fault::write_failed when the copy
/// fails, Fault::interrupted once a signal came (see interruption.hpp).
void copy_stream(const std::string& path, OutputFile& copy, std::uint64_t most = kLongestStream);

}  // namespace korvath
