// The window is a program of its own, so that a command-line run loads no windowing library:
// `korvath` alone, or with files to open, hands the process over to it.
#pragma once

namespace korvath {

/// Whether the arguments ask for the window: none at all, or a first one that is neither a
/// command nor an option and names a file or folder that exists (the files to open). Anything
/// else is the command line's, whose own errors name a mistyped command.
bool wants_window(int argc, const char* const* argv);

/// Replaces this process with the window, given the same arguments; returns only when the window
/// is not installed (false) or could not be started (true, after saying why on stderr).
bool open_window(char** argv);

}  // namespace korvath
