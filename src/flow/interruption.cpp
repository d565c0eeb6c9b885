#include "flow/interruption.hpp"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace korvath {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> noted_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "set in a signal handler");

extern "C" void note_signal(int signal) {
  if (noted_signal.exchange(signal) != 0) {
    // The second one: the run did not end on its own, so it ends now, files and all.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
  }
}

}  // namespace

void catch_interruptions() {
  for (const int signal : kSignals) {
    struct sigaction old {};
    if (sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = note_signal;  // no SA_RESTART: a blocked read returns EINTR
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
  }
}

int interruption() {
  return noted_signal.load(std::memory_order_relaxed);
}

void request_interruption(int reason) {
  noted_signal.store(reason);
}

void clear_interruption() {
  noted_signal.store(0);
}

void check_interruption(const Where& where) {
  if (const int signal = interruption())
    throw ConversionError(Fault::interrupted, where, signal_name(signal));
}

const char* signal_name(int signal) {
  switch (signal) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    case kStopButton:
      return "με το κουμπί Άκυρο";
    default:
      return "σήμα";
  }
}

void end_as_interrupted() {
  const int signal = interruption();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
  _exit(128 + signal);  // the signal was blocked or ignored after all
}

}  // namespace korvath
