#include "platform/qt/qt_platform.hpp"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>

#include "platform/console_platform.hpp"
#include "platform/qt/qt_text.hpp"

namespace korvath {
namespace {

QString qt_patterns(const QString& pattern) {
  QStringList patterns = pattern.split(u';', Qt::SkipEmptyParts);
  for (QString& one : patterns) {
    one = one.trimmed();
    if (one == u"*.*") one = QStringLiteral("*");
  }
  return patterns.join(u' ');
}

}  // namespace

QStringList name_filters(std::string_view filter) {
  static const QRegularExpression kTrailingPatterns(QStringLiteral(R"(\s*\([^()]*\)\s*$)"));
  const QStringList parts = qs(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString label = parts[i];
    label.remove(kTrailingPatterns);
    filters << label + QStringLiteral(" (") + qt_patterns(parts[i + 1]) + u')';
  }
  return filters;
}

QtPlatform::QtPlatform(QWidget& window) : window_(window), dd1_(&window) {
  dd1_.setObjectName(QStringLiteral("DD1"));
  dd1_.setFileMode(QFileDialog::AnyFile);             // an open dialog that does not check the file
  dd1_.setOption(QFileDialog::DontConfirmOverwrite);  // the flow asks about non-empty files
}

std::optional<std::string> QtPlatform::ask_path(std::string_view title, std::string_view filter,
                                                QFileDialog::AcceptMode mode) {
  dd1_.setWindowTitle(qs(title));
  dd1_.setAcceptMode(mode);
  dd1_.setNameFilters(name_filters(filter));
  if (!last_choice_.isEmpty()) {
    const QFileInfo last(last_choice_);
    dd1_.setDirectory(last.absolutePath());
    dd1_.selectFile(last.fileName());
  }
  if (dd1_.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dd1_.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return std::string();
  last_choice_ = chosen.first();
  return QFile::encodeName(last_choice_).toStdString();
}

std::optional<std::string> QtPlatform::ask_open_path(std::string_view title,
                                                     std::string_view filter) {
  return ask_path(title, filter, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPlatform::ask_save_path(std::string_view title,
                                                     std::string_view filter) {
  return ask_path(title, filter, QFileDialog::AcceptSave);
}

bool QtPlatform::ask_yes_no(std::string_view text, std::string_view title) {
  return QMessageBox::question(&window_, qs(title), qs(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

void QtPlatform::show_message(std::string_view text, std::string_view title, Icon icon,
                              std::string_view details) {
  QMessageBox box(icon == Icon::error ? QMessageBox::Critical : QMessageBox::Information, qs(title),
                  qs(text), QMessageBox::Ok, &window_);
  box.setTextFormat(Qt::PlainText);  // shown as written: a path may hold "<"
  if (!details.empty()) {
    box.setInformativeText(qs(details));
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
      label->setTextFormat(Qt::PlainText);
  }
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
}

std::string QtPlatform::program_folder() {
  return default_scratch_folder();
}

}  // namespace korvath
