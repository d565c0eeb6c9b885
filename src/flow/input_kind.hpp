// What kind of file a chosen path names, for the files a conversion may read and write.
#pragma once

#include <string>

namespace korvath {

class OutputFile;

enum class FileKind {
  none,    // nothing there (yet)
  file,    // a regular file or a folder: read and written as the flow says
  stream,  // a pipe or FIFO ("-" is standard input): read once, never twice
  device,  // a device or socket: endless or never ending, neither read nor written
};

/// The kind of the file at `path`, links followed; "-" is standard input.
FileKind file_kind(const std::string& path);

/// Copies the stream at `path` ("-": standard input) to `copy` and closes it. Throws
/// Fault::cannot_open when the stream cannot be read, Fault::write_failed when the copy fails.
void copy_stream(const std::string& path, OutputFile& copy);

}  // namespace korvath
