#include "modal_script.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace korvath::test {

ModalScript::ModalScript(std::deque<Answer> answers) : answers_(std::move(answers)) {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
  timer_.start();
}

void ModalScript::poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible()) return;
  if (answers_.empty()) {
    unexpected_ << modal->windowTitle();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    return;
  }
  const Answer answer = std::move(answers_.front());
  answers_.pop_front();
  try {
    answer(*modal);
  } catch (const std::exception& e) {  // never through Qt's event loop
    ADD_FAILURE() << "answering " << modal->windowTitle().toStdString() << ": " << e.what();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  }
}

}  // namespace korvath::test
