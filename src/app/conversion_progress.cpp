#include "app/conversion_progress.hpp"

#include <QFileInfo>
#include <filesystem>
#include <fstream>

#include "flow/interruption.hpp"
#include "flow/report.hpp"
#include "platform/qt/qt_text.hpp"

namespace korvath {
namespace {

constexpr std::chrono::milliseconds kRefresh{200};

std::string file_name(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace

std::optional<std::uint64_t> read_position(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path target = fs::canonical(path, error);
  if (error) return std::nullopt;
  std::optional<std::uint64_t> farthest;
  for (const fs::directory_entry& fd : fs::directory_iterator("/proc/self/fd", error)) {
    std::error_code link_error;
    if (fs::read_symlink(fd.path(), link_error) != target || link_error) continue;
    std::ifstream info("/proc/self/fdinfo/" + fd.path().filename().string());
    std::string key;
    std::uint64_t position = 0;
    if (info >> key >> position && key == "pos:")
      farthest = std::max(farthest.value_or(0), position);
  }
  return farthest;
}

std::string read_so_far_text(std::uint64_t read, std::uint64_t total) {
  if (total == 0) return count_text(read, Count::grouped) + " bytes";
  read = std::min(read, total);  // the reader's buffer may run past a file that shrank
  const std::string text = count_text(read, Count::grouped);
  return text + " από " + count_text(total, Count::grouped) + " bytes (" +
         std::to_string(read * 100 / total) + " %)";
}

ConversionProgress::ConversionProgress(QWidget& window, std::chrono::milliseconds delay,
                                       std::function<std::string()> input)
    : input_(std::move(input)),
      delay_(delay),
      dialog_(&window),
      layout_(&dialog_),
      cancel_(qs("Άκυρο")) {
  dialog_.setObjectName(QStringLiteral("progressDialog"));
  dialog_.setWindowTitle(qs("Μετατροπή"));
  dialog_.setWindowModality(Qt::ApplicationModal);
  dialog_.setMinimumWidth(420);
  cancel_.setObjectName(QStringLiteral("cancelButton"));
  text_.setWordWrap(true);
  bar_.setRange(0, 100);
  layout_.addWidget(&text_);
  layout_.addWidget(&bar_);
  layout_.addWidget(&cancel_, 0, Qt::AlignRight);
  // Cancel, Escape and the window's close button all stop the run; it ends at its next
  // buffer, on the error path, and its box says what it left.
  connect(&cancel_, &QPushButton::clicked, this, &ConversionProgress::stop);
  connect(&dialog_, &QDialog::rejected, this, &ConversionProgress::stop);
  delay_timer_.setSingleShot(true);
  connect(&delay_timer_, &QTimer::timeout, this, &ConversionProgress::show_now);
  connect(&refresh_timer_, &QTimer::timeout, this, &ConversionProgress::refresh);
}

void ConversionProgress::start() {
  delay_timer_.start(delay_);
}

void ConversionProgress::asking(bool open) {
  if (!open) {
    if (interruption() == 0) start();  // stopped: the run is on its way out
    return;
  }
  delay_timer_.stop();
  refresh_timer_.stop();
  dialog_.hide();
}

void ConversionProgress::show_now() {
  refresh();
  dialog_.show();
  refresh_timer_.start(kRefresh);
}

void ConversionProgress::refresh() {
  const std::string input = input_();
  if (const auto position = read_position(input)) last_read_ = *position;
  const auto total = static_cast<std::uint64_t>(QFileInfo(QFile::decodeName(input.c_str())).size());
  text_.setText(
      qs("Ανάγνωση του «" + file_name(input) + "»: " + read_so_far_text(last_read_, total)));
  if (total == 0) {
    bar_.setRange(0, 0);  // a moving bar: the size is not known
  } else {
    bar_.setValue(static_cast<int>(std::min(last_read_, total) * 100 / total));
  }
}

void ConversionProgress::stop() {
  // The run ends at its next buffer, a moment later; its box then says what it left.
  request_interruption(kStopButton);
  delay_timer_.stop();
  refresh_timer_.stop();
  dialog_.hide();
}

}  // namespace korvath
