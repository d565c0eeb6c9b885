// The progress dialog of a conversion running off the window's thread: shown once the run has
// gone on for a moment without a question open, it says how much of the input has been read
// and offers Cancel, which stops the run as a Ctrl-C stops the command line's.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace korvath {

/// How far the file at `path` has been read: the position of a descriptor this process holds
/// open on it (the farthest, when several are), from /proc/self/fdinfo; none while it is not
/// open.
std::optional<std::uint64_t> read_position(const std::string& path);

/// "12.345.678 από 98.765.432 bytes (12 %)" of `total` (0: unknown, the count alone).
std::string read_so_far_text(std::uint64_t read, std::uint64_t total);

class ConversionProgress : public QObject {
 public:
  /// Modal over `window`, named "progressDialog", its button "cancelButton". `input` names the
  /// file being read (it may be known only once the open dialog is answered).
  ConversionProgress(QWidget& window, std::chrono::milliseconds delay,
                     std::function<std::string()> input);

  /// The run goes on: the dialog shows after the delay.
  void start();
  /// A question is open (true) or answered (false): the dialog steps aside meanwhile, and
  /// shows again only after a new delay.
  void asking(bool open);

 private:
  void show_now();
  void refresh();
  void stop();

  std::function<std::string()> input_;
  std::chrono::milliseconds delay_;
  QDialog dialog_;  // before its parts, which leave it as they go
  QVBoxLayout layout_;
  QLabel text_;
  QProgressBar bar_;
  QPushButton cancel_;
  QTimer delay_timer_, refresh_timer_;
  std::uint64_t last_read_ = 0;
};

}  // namespace korvath
