// Answers the modal windows a test opens, one answer per window shown, in order: a modal
// dialog's exec() blocks the test until the window closes.
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace korvath::test {

class ModalScript {
 public:
  /// Gets the modal window; must close it (accept, reject, click a button).
  using Answer = std::function<void(QWidget& modal)>;

  explicit ModalScript(std::deque<Answer> answers);

  /// Answers not used yet.
  std::size_t left() const { return answers_.size(); }
  /// Titles of modal windows shown after the answers ran out; each was rejected.
  const QStringList& unexpected() const { return unexpected_; }

 private:
  void poll();

  std::deque<Answer> answers_;
  QStringList unexpected_;
  QTimer timer_;
};

}  // namespace korvath::test
