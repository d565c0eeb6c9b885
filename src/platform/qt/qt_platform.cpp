#include "platform/qt/qt_platform.hpp"

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

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

// Qt has no Greek catalogue: the dialog's own words, set for each dialog.
void set_greek_labels(QFileDialog& dialog) {
  const bool open = dialog.acceptMode() == QFileDialog::AcceptOpen;
  dialog.setLabelText(QFileDialog::LookIn, qs("Αναζήτηση σε:"));
  dialog.setLabelText(QFileDialog::FileName, qs("Όνομα αρχείου:"));
  dialog.setLabelText(QFileDialog::FileType, qs("Αρχεία τύπου:"));
  dialog.setLabelText(QFileDialog::Accept, qs(open ? "Άνοιγμα" : "Αποθήκευση"));
  dialog.setLabelText(QFileDialog::Reject, qs("Άκυρο"));
}

// The answer to a box: the standard button pressed, or the box's own action.
struct BoxAnswer {
  QMessageBox::StandardButton button = QMessageBox::NoButton;
  bool action = false;
};

// Long paths wrap instead of widening the box past the screen, and every text can be selected
// and copied: a user pastes the file and the line into a search or a report.
void make_readable(QMessageBox& box) {
  // Qt wraps a box's text at a narrow width of its own; a text of more than a short line gets
  // room for a path and its count on one line where it can.
  constexpr qsizetype kShortLine = 60;
  const bool long_text = box.text().size() + box.informativeText().size() > kShortLine;
  for (const char* name : {"qt_msgbox_label", "qt_msgbox_informativelabel"}) {
    if (auto* label = box.findChild<QLabel*>(QString::fromLatin1(name))) {
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(true);
      label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      if (long_text) label->setMinimumWidth(480);
    }
  }
}

// A modal box in Greek over `parent`, its texts shown as written (a path may hold "<"), with a
// button of its own, `action`, before the standard ones when not empty.
BoxAnswer ask_box(QWidget& parent, QMessageBox::Icon icon, std::string_view title,
                  std::string_view text, std::string_view details,
                  QMessageBox::StandardButtons buttons, QMessageBox::StandardButton default_button,
                  std::string_view action = {}) {
  QMessageBox box(icon, qs(title), qs(text), buttons, &parent);
  box.setTextFormat(Qt::PlainText);
  if (!details.empty()) box.setInformativeText(qs(details));
  make_readable(box);
  QPushButton* own = action.empty() ? nullptr : box.addButton(qs(action), QMessageBox::ActionRole);
  if (own) own->setObjectName(QStringLiteral("actionButton"));
  box.setDefaultButton(default_button);
  constexpr std::pair<QMessageBox::StandardButton, std::string_view> kGreek[] = {
      {QMessageBox::Yes, "Ναι"},      {QMessageBox::No, "Όχι"},
      {QMessageBox::Ok, "Εντάξει"},   {QMessageBox::Cancel, "Άκυρο"},
      {QMessageBox::Open, "Άνοιγμα"}, {QMessageBox::Save, "Αποθήκευση"}};
  for (const auto& [button, greek] : kGreek)
    if (QAbstractButton* shown = box.button(button)) shown->setText(qs(greek));
  box.exec();
  if (own && box.clickedButton() == own) return {QMessageBox::NoButton, true};
  return {box.standardButton(box.clickedButton()), false};
}

QMessageBox::Icon shown_icon(Icon icon) {
  return icon == Icon::error     ? QMessageBox::Critical
         : icon == Icon::warning ? QMessageBox::Warning
                                 : QMessageBox::Information;
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

QStringList open_name_filters(std::string_view filter) {
  QStringList filters = name_filters(filter);
  // Real downloads often end in another extension, or in none.
  if (std::none_of(filters.begin(), filters.end(),
                   [](const QString& one) { return one.endsWith(u"(*)"); }))
    filters << qs("Όλα τα αρχεία (*)");
  return filters;
}

QtPlatform::QtPlatform(QWidget& window) : window_(window), dd1_(&window) {
  dd1_.setObjectName(QStringLiteral("DD1"));
  dd1_.setOption(QFileDialog::DontUseNativeDialog);  // Qt's own: it shows the Greek labels
  dd1_.setViewMode(QFileDialog::List);     // names: the detail view's headers and types are English
  dd1_.setFileMode(QFileDialog::AnyFile);  // an open dialog that does not check the file
  dd1_.setOption(QFileDialog::DontConfirmOverwrite);  // the flow asks about non-empty files
}

std::optional<std::string> QtPlatform::ask_path(std::string_view title, std::string_view filter,
                                                QFileDialog::AcceptMode mode,
                                                const std::string& suggested) {
  dd1_.setWindowTitle(qs(title));
  dd1_.setAcceptMode(mode);
  set_greek_labels(dd1_);  // after the mode, which puts back Qt's own button texts
  dd1_.setNameFilters(mode == QFileDialog::AcceptOpen ? open_name_filters(filter)
                                                      : name_filters(filter));
  const QString start = suggested.empty() ? last_choice_ : QFile::decodeName(suggested.c_str());
  if (!start.isEmpty()) {
    const QFileInfo last(start);
    dd1_.setDirectory(last.absolutePath());
    dd1_.selectFile(last.fileName());
  }
  // The pre-filled name selected once the dialog shows (and has focused it): typing replaces
  // the name instead of adding to it.
  if (auto* name = dd1_.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
    QMetaObject::invokeMethod(name, &QLineEdit::selectAll, Qt::QueuedConnection);
  if (dd1_.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dd1_.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return std::string();
  last_choice_ = chosen.first();
  return QFile::encodeName(last_choice_).toStdString();
}

std::optional<std::string> QtPlatform::ask_open_path(std::string_view title,
                                                     std::string_view filter) {
  return ask_path(title, filter, QFileDialog::AcceptOpen, {});
}

std::optional<std::string> QtPlatform::ask_save_path(std::string_view title,
                                                     std::string_view filter,
                                                     const std::string& suggested) {
  return ask_path(title, filter, QFileDialog::AcceptSave, suggested);
}

bool QtPlatform::ask_yes_no(std::string_view text, std::string_view title) {
  return ask_box(window_, QMessageBox::Question, title, text, {},
                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
             .button == QMessageBox::Yes;
}

bool QtPlatform::ask_overwrite(const std::string& path) {
  // The system's question as it is; the file it is about below it.
  return ask_box(window_, QMessageBox::Question, kOverwriteTitle, kOverwriteQuestion,
                 QFile::decodeName(path.c_str()).toStdString(), QMessageBox::Yes | QMessageBox::No,
                 QMessageBox::Yes)
             .button == QMessageBox::Yes;
}

void QtPlatform::show_message(std::string_view text, std::string_view title, Icon icon,
                              std::string_view details) {
  ask_box(window_, shown_icon(icon), title, text, details, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPlatform::show_message_with_action(std::string_view action, std::string_view text,
                                          std::string_view title, Icon icon,
                                          std::string_view details) {
  return ask_box(window_, shown_icon(icon), title, text, details, QMessageBox::Ok, QMessageBox::Ok,
                 action)
      .action;
}

std::string QtPlatform::program_folder() {
  return default_scratch_folder();
}

}  // namespace korvath
