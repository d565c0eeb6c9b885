// A conversion the user or the system stops: Ctrl-C (SIGINT), a closing terminal (SIGHUP), a
// `kill` or `timeout` (SIGTERM). The handler only notes the signal; the readers see it at their
// next buffer and end the run on its error path, where every file is closed, the run's private
// files are removed and a fixed-name scratch file it took over is given back, in ordinary code.
//
// The signal noted is the one piece of process-wide state besides overwrite_allowed: a signal
// handler has no other way to reach the run. It is a lock-free atomic, safe to set in a handler
// and to read from the threads of a batch.
#pragma once

#include "flow/conversion_error.hpp"

namespace korvath {

/// Installs the handler for SIGINT, SIGTERM and SIGHUP, except for one the process was started
/// with ignored (under nohup, or in the background of a script). A system call the signal breaks
/// returns EINTR instead of going on, so a run waiting on a pipe sees it too. A second signal
/// ends the process at once, as if there were no handler: the way out of a run that hangs.
void catch_interruptions();

/// The signal that asked the run to end; 0 while none did.
int interruption();

/// What the window's Cancel button notes in place of a signal: the user's own stop.
inline constexpr int kStopButton = -1;
/// Notes `reason` (kStopButton) as a signal would be noted: the run ends on its error path at
/// its next buffer. From any thread.
void request_interruption(int reason);
/// Forgets the stop noted, before the window's next run (the command line never needs to).
void clear_interruption();

/// Throws Fault::interrupted at `where` (its detail: the signal's name) once a signal came.
void check_interruption(const Where& where = {});

/// The signal's name, "SIGINT", "SIGTERM" or "SIGHUP"; for kStopButton, that the user stopped
/// the run.
const char* signal_name(int signal);

/// Ends the process as the signal noted would have ended it without a handler, so that the
/// shell sees it (status 130, 143 or 129) and a script stops at a Ctrl-C.
[[noreturn]] void end_as_interrupted();

}  // namespace korvath
