// The Qt platform with real dialogs: the one file dialog DD1 that starts where the last choice
// ended, the filters, the question with Yes as default, the messages; and a whole menu
// conversion answered through those dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <string>
#include <vector>

#include "app/main_window.hpp"
#include "command_line.hpp"
#include "flow/platform.hpp"
#include "modal_script.hpp"
#include "platform/console_platform.hpp"
#include "platform/qt/qt_platform.hpp"
#include "platform/qt/qt_text.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

using test::ModalScript;

struct FilterCase {
  const char* name;
  std::string_view filter;
  QStringList expected;
};

const FilterCase kFilters[] = {
    {"LabelAsWritten", "Αρχεία  TC6 (*.TC6)|*.TC6|", {"Αρχεία  TC6 (*.TC6)"}},
    {"AllFilesListsNamesWithoutDot", "Όλα τα αρχεία (*.*)|*.*|", {"Όλα τα αρχεία (*)"}},
    {"LabelWithoutPatterns", "Measurements|*.txm|", {"Measurements (*.txm)"}},
    {"SemicolonSeparatesPatterns", "Text (*.txt;*.TXT)|*.txt;*.TXT|", {"Text (*.txt *.TXT)"}},
    {"TwoPairs", "A (*.a)|*.a|B (*.b)|*.b|", {"A (*.a)", "B (*.b)"}},
    {"Empty", "", {}},
};

class NameFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(NameFilters, BecomeQtNameFilters) {
  EXPECT_EQ(name_filters(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(QtPlatform, NameFilters, ::testing::ValuesIn(kFilters),
                         [](const auto& info) { return std::string(info.param.name); });

QFileDialog& as_file_dialog(QWidget& modal) {
  auto* dialog = qobject_cast<QFileDialog*>(&modal);
  if (!dialog) throw std::runtime_error("not a file dialog: " + modal.windowTitle().toStdString());
  return *dialog;
}

// Types `path` into DD1's file name and presses its Open or Save button, after checking the
// dialog's title, filter (the dialog shows runs of blanks as one) and mode.
ModalScript::Answer choose(std::string title, QStringList filters, QFileDialog::AcceptMode mode,
                           std::string path) {
  return [=](QWidget& modal) {
    QFileDialog& dialog = as_file_dialog(modal);
    EXPECT_EQ(dialog.objectName().toStdString(), "DD1");
    EXPECT_EQ(dialog.windowTitle().toStdString(), title);
    EXPECT_EQ(dialog.nameFilters(), filters);
    EXPECT_EQ(dialog.acceptMode(), mode);
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(path));
    static_cast<QDialog&>(dialog).accept();  // QFileDialog::accept, as the Open button does
  };
}

// Presses the question's default button, as Enter does, after checking the question.
ModalScript::Answer press_default(std::string text, std::string title) {
  return [=](QWidget& modal) {
    auto& box = dynamic_cast<QMessageBox&>(modal);
    EXPECT_EQ(box.text().toStdString(), text);
    EXPECT_EQ(box.windowTitle().toStdString(), title);
    EXPECT_EQ(box.icon(), QMessageBox::Question);
    ASSERT_NE(box.defaultButton(), nullptr);
    EXPECT_EQ(box.standardButton(box.defaultButton()), QMessageBox::Yes);
    EXPECT_NE(box.button(QMessageBox::No), nullptr);
    box.defaultButton()->click();
  };
}

ModalScript::Answer acknowledge(std::string text, std::string title, QMessageBox::Icon icon) {
  return [=](QWidget& modal) {
    auto& box = dynamic_cast<QMessageBox&>(modal);
    EXPECT_EQ(box.text().toStdString(), text);
    EXPECT_EQ(box.windowTitle().toStdString(), title);
    EXPECT_EQ(box.icon(), icon);
    EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
    box.button(QMessageBox::Ok)->click();
  };
}

TEST(QtPlatform, EveryDialogStartsAtThePreviousChoice) {
  const test::TempDir dir;
  QWidget window;
  QtPlatform ui(window);
  const std::string first = dir / "survey.TC6", second = dir / "stations.txm";
  std::vector<QString> started_at;
  const ModalScript script({
      choose("Τίτλος", {"Αρχεία TC6 (*.TC6)"}, QFileDialog::AcceptOpen, first),
      [&](QWidget& modal) {
        started_at.push_back(as_file_dialog(modal).selectedFiles().value(0));
        choose(std::string(kStationSaveTitle), {"Αρχεία μετρήσεων txm (*.txm)"},
               QFileDialog::AcceptSave, second)(modal);
      },
      [&](QWidget& modal) {
        started_at.push_back(as_file_dialog(modal).selectedFiles().value(0));
        as_file_dialog(modal).reject();
      },
  });
  EXPECT_EQ(ui.ask_open_path("Τίτλος", "Αρχεία  TC6 (*.TC6)|*.TC6|"), first);
  EXPECT_EQ(ui.ask_save_path(kStationSaveTitle, kMeasurementFilter), second);
  EXPECT_EQ(ui.ask_open_path("Τίτλος", kMeasurementFilter), std::nullopt);  // cancelled
  EXPECT_EQ(started_at, (std::vector<QString>{qs(first), qs(second)}));
  EXPECT_EQ(window.findChildren<QFileDialog*>().size(), 1);
  EXPECT_EQ(script.left(), 0u);
}

TEST(QtPlatform, QuestionDefaultsToYesAndNoKeepsTheFile) {
  QWidget window;
  QtPlatform ui(window);
  const ModalScript script({
      press_default(std::string(kOverwriteQuestion), std::string(kOverwriteTitle)),
      [](QWidget& modal) { dynamic_cast<QMessageBox&>(modal).button(QMessageBox::No)->click(); },
  });
  EXPECT_TRUE(ui.ask_yes_no(kOverwriteQuestion, kOverwriteTitle));
  EXPECT_FALSE(ui.ask_yes_no(kOverwriteQuestion, kOverwriteTitle));
  EXPECT_EQ(script.left(), 0u);
}

TEST(QtPlatform, MessagesShowTheirTitlesAndIcons) {
  QWidget window;
  QtPlatform ui(window);
  const ModalScript script({
      acknowledge(std::string(kNotValid), std::string(kWarningTitle), QMessageBox::Critical),
      acknowledge(std::string(kConverted), std::string(kInformationTitle),
                  QMessageBox::Information),
  });
  ui.show_message(kNotValid, kWarningTitle, Icon::error);
  ui.show_message(kConverted, kInformationTitle, Icon::information);
  EXPECT_EQ(script.left(), 0u);
}

TEST(QtPlatform, ScratchFilesGoToTheProgramFolder) {
  QWidget window;
  QtPlatform ui(window);
  EXPECT_EQ(ui.program_folder(), default_scratch_folder());
}

QAction& tc600_item(FrmMAIN& window) {
  return *window.findChild<QAction*>(QStringLiteral("mnuLEICATC600"));
}

TEST(QtPlatform, MenuConversionThroughRealDialogsWritesTheCommandLineFiles) {
  const std::string example = test::example_path("leica-tc600.TC6");
  const test::TempDir dir, cli_dir;
  test::write_file(dir / "stations.txm", "old\r\n");  // not empty: the question comes
  FrmMAIN window;
  window.show();
  const QStringList txm = {"Αρχεία μετρήσεων txm (*.txm)"};
  const ModalScript script({
      choose("Άνοιγμα αρχείου WILD TC 600", {"Αρχεία TC6 (*.TC6)"}, QFileDialog::AcceptOpen,
             example),
      choose(std::string(kStationSaveTitle), txm, QFileDialog::AcceptSave, dir / "stations"),
      press_default(std::string(kOverwriteQuestion), std::string(kOverwriteTitle)),
      choose(std::string(kPointSaveTitle), txm, QFileDialog::AcceptSave, dir / "points"),
      acknowledge(std::string(kConverted), std::string(kInformationTitle),
                  QMessageBox::Information),
  });
  tc600_item(window).trigger();
  EXPECT_EQ(script.left(), 0u);
  EXPECT_TRUE(script.unexpected().isEmpty());

  ASSERT_EQ(test::convert_with_binary("leica-tc600", example,
                                      {cli_dir / "stations.txm", cli_dir / "points.txm"},
                                      cli_dir.path().string()),
            0);
  for (const char* name : {"stations.txm", "points.txm"})
    EXPECT_EQ(test::read_file(dir / name), test::read_file(cli_dir / name)) << name;
}

TEST(QtPlatform, CancelledOpenDialogShowsNoMessage) {
  FrmMAIN window;
  window.show();
  const ModalScript script({[](QWidget& modal) { as_file_dialog(modal).reject(); }});
  tc600_item(window).trigger();
  EXPECT_EQ(script.left(), 0u);
  EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(u',').toStdString();
}

}  // namespace
}  // namespace korvath
