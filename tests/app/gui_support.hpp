// What the window's tests share: answers to the modal windows a test opens, and the files the
// real `korvath convert` writes, to compare the window's files with.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "flow/command.hpp"
#include "platform/qt/qt_text.hpp"
#include "support/files.hpp"

namespace korvath::test {

/// Answers each modal window shown, in order (its exec() blocks the test until it closes);
/// an answer closes its window and never throws. A window beyond the answers fails the test,
/// and so does an answer left when the script ends.
class ModalScript {
 public:
  using Answer = std::function<void(QWidget& modal)>;

  explicit ModalScript(std::deque<Answer> answers) : answers_(std::move(answers)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(5);
  }
  ~ModalScript() { EXPECT_EQ(answers_.size(), 0u) << "windows expected but never shown"; }

 private:
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (!answers_.empty()) {
      const Answer answer = std::move(answers_.front());
      answers_.pop_front();
      return answer(*modal);
    }
    ADD_FAILURE() << "unexpected window " << modal->windowTitle().toStdString();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  }

  std::deque<Answer> answers_;
  QTimer timer_;
};

/// The answers to the save dialogs, before the flow forces their extensions.
inline std::vector<std::string> output_stems(const ConversionCommand& command) {
  if (command.outputs == Outputs::coordinates) return {"coords"};
  return {"stations", "points"};
}

/// Every file `korvath convert` writes from `input` in a fresh folder, scratch files included.
inline Files command_line_files(const ConversionCommand& command, const std::string& input) {
  const TempDir dir;
  QStringList arguments = {QStringLiteral("convert"), qs(command.id), qs(input)};
  for (const std::string& stem : output_stems(command)) arguments << qs(dir / stem);
  arguments << QStringLiteral("--overwrite=yes") << qs("--scratch-dir=" + dir.path().string());
  QProcess korvath;
  korvath.start(QStringLiteral(KORVATH_BINARY), arguments);
  EXPECT_TRUE(korvath.waitForFinished(60000) && korvath.exitCode() == 0) << command.id;
  return files_in(dir.path());
}

}  // namespace korvath::test
