// The Qt platform's real dialogs: the catalogue's filters as name filters, and menu commands
// answered through the one file dialog DD1 and the message boxes.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <tuple>

#include "app/main_window.hpp"
#include "converters/catalogue.hpp"
#include "gui_support.hpp"
#include "platform/console_platform.hpp"
#include "platform/qt/qt_platform.hpp"

namespace korvath {
namespace {

using test::ModalScript;

// The catalogue's filter as a save dialog shows it, and as an open dialog does: all files second
// (a single filter: the session below).
TEST(QtPlatform, CatalogueFiltersBecomeNameFilters) {
  const QString all = qs("Όλα τα αρχεία (*)");
  const std::tuple<std::string_view, QStringList, QStringList> cases[] = {
      {"Όλα τα αρχεία (*.*)|*.*|", {all}, {all}},  // also lists names without a dot
      {"A (*.a;*.A)|*.a;*.A|B|*.b|", {"A (*.a *.A)", "B (*.b)"}, {"A (*.a *.A)", "B (*.b)", all}},
      {"", {}, {all}},
  };
  for (const auto& [filter, save, open] : cases) {
    EXPECT_EQ(name_filters(filter), save) << filter;
    EXPECT_EQ(open_name_filters(filter), open) << filter;
  }
}

constexpr auto kOpen = QFileDialog::AcceptOpen, kSave = QFileDialog::AcceptSave;

// The words Qt's own file dialog shows, in Greek: labels, then buttons.
QStringList words_of(QFileDialog& dialog) {
  QStringList words;
  for (const auto label : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType})
    words << dialog.labelText(label);
  for (const QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons())
    words << button->text();
  return words;
}

// Checks DD1's title, Greek words, filters (shown with runs of blanks as one; the first chosen),
// mode and the name it starts with, selected (when `starts_at` is given), then types `path` over
// it and accepts as the button does; "" cancels.
ModalScript::Answer choose(std::string_view title, const QStringList& filters,
                           QFileDialog::AcceptMode mode, const std::string& starts_at,
                           const std::string& path) {
  return [=](QWidget& modal) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(dialog, nullptr) << modal.windowTitle().toStdString();
    EXPECT_EQ(dialog->objectName().toStdString(), "DD1");
    EXPECT_EQ(dialog->windowTitle(), qs(title));
    EXPECT_EQ(words_of(*dialog).join(u'|').toStdString(),
              mode == kOpen ? "Αναζήτηση σε:|Όνομα αρχείου:|Αρχεία τύπου:|Άνοιγμα|Άκυρο"
                            : "Αναζήτηση σε:|Όνομα αρχείου:|Αρχεία τύπου:|Αποθήκευση|Άκυρο");
    EXPECT_EQ(dialog->nameFilters(), filters);
    EXPECT_EQ(dialog->selectedNameFilter(), filters.value(0));
    EXPECT_EQ(dialog->acceptMode(), mode);
    auto* files = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(files && name);
    const std::string started = dialog->selectedFiles().value(0).toStdString();
    EXPECT_TRUE(starts_at.empty() || started == starts_at) << started;
    EXPECT_TRUE(starts_at.empty() ||
                name->selectedText() == qs(std::filesystem::path(starts_at).filename().string()))
        << name->text().toStdString() << " selected: " << name->selectedText().toStdString();
    if (path.empty()) return dialog->reject();
    files->clearSelection();  // typing over a selected name deselects it (the box has focus)
    name->insert(qs(path));   // as typed: replaces the selected name
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as the button does
  };
}

// Checks the message box, its Greek buttons and the button Enter presses (Yes for a question,
// else Ok), then presses `button`.
ModalScript::Answer press(std::string_view text, std::string_view title, QMessageBox::Icon icon,
                          QMessageBox::StandardButton button, const std::string& details = {}) {
  return [=, text = std::string(text)](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_TRUE(box && box->button(button)) << modal.windowTitle().toStdString();
    EXPECT_EQ(box->text().toStdString(), text);
    EXPECT_EQ(box->informativeText().toStdString(), details);
    EXPECT_EQ(box->windowTitle(), qs(title));
    EXPECT_EQ(box->icon(), icon);
    QStringList buttons;
    for (const QAbstractButton* shown : box->buttons()) buttons << shown->text();
    buttons.sort();
    EXPECT_EQ(buttons.join(u'|').toStdString(),
              icon == QMessageBox::Question ? "Όχι|Ναι" : "Εντάξει");
    EXPECT_EQ(box->defaultButton(),
              box->button(icon == QMessageBox::Question ? QMessageBox::Yes : QMessageBox::Ok));
    box->button(button)->click();
  };
}

// A session of five TC 600 commands through the real dialogs, each open dialog starting at the
// previous choice and each save dialog at the name the input gives (so Enter never names the
// input itself): No to the question ends the first; a file cut short gets the error box with
// its cause and the lines it left; the third converts as the command line does and says what it
// wrote; an invalid file gets the error message; a cancelled save dialog ends the last with no box
// at all.
TEST(QtPlatform, MenuCommandsThroughRealDialogsWriteTheCommandLineFiles) {
  const ConversionCommand& tc600 = *find_command("leica-tc600");
  const test::TempDir in, dir;  // a misdirected output lands in a temporary folder too
  const std::string input = in / "survey.TC6", cut = in / "cut.TC6", invalid = in / "invalid.TC6";
  test::write_file(input, test::read_file(test::example_of(tc600.id)));
  test::write_file(cut, test::read_file(input) +
                            "410000-00000002 420000+00000007 430000+00000000 440000+00000000 \r\n");
  test::write_file(invalid, "not a TC 600 line\r\n");
  test::write_file(dir / "stations.txm", "old\r\n");  // not empty: the question comes
  FrmMAIN window;
  window.set_progress_delay(std::chrono::hours(1));  // the script answers the dialogs alone
  window.show();
  const QStringList tc6 = {"Αρχεία TC6 (*.TC6)", qs("Όλα τα αρχεία (*)")},
                    txm = {"Αρχεία μετρήσεων txm (*.txm)"};
  const std::string stations = dir / "stations", points = dir / "points";
  // The system's question, the file it is about below it.
  const auto question = [](const std::string& file, QMessageBox::StandardButton answer) {
    return press(kOverwriteQuestion, kOverwriteTitle, QMessageBox::Question, answer, file);
  };
  // Each save dialog starts beside the input, named after it.
  const auto named = [&](const std::string& from, std::string_view kind) {
    return in / (std::filesystem::path(from).stem().string() + std::string(kind));
  };
  const test::ModalScript script({
      choose(tc600.open_title, tc6, kOpen, "", input),
      choose(kStationSaveTitle, txm, kSave, named(input, "_stations.txm"), stations),
      question(stations + ".txm", QMessageBox::No),
      choose(tc600.open_title, tc6, kOpen, stations, cut),
      choose(kStationSaveTitle, txm, kSave, named(cut, "_stations.txm"), stations),
      question(stations + ".txm", QMessageBox::Yes),
      choose(kPointSaveTitle, txm, kSave, named(cut, "_points.txm"), points),
      press("«" + cut +
                "»: η λήψη μοιάζει κομμένη στη γραμμή 16 (το αρχείο τελειώνει στη μέση μιας "
                "εγγραφής): κατεβάστε την ξανά από το όργανο",
            kWarningTitle, QMessageBox::Critical, QMessageBox::Ok,
            "«" + stations + ".txm» κρατά 2 γραμμές, γραμμένες πριν από το σφάλμα\n«" + points +
                ".txm» κρατά 5 γραμμές, γραμμένες πριν από το σφάλμα"),
      choose(tc600.open_title, tc6, kOpen, points, input),
      choose(kStationSaveTitle, txm, kSave, named(input, "_stations.txm"), stations),
      question(stations + ".txm", QMessageBox::Yes),
      choose(kPointSaveTitle, txm, kSave, named(input, "_points.txm"), points),
      question(points + ".txm", QMessageBox::Yes),  // the failed command wrote points before
      press(kConverted, kInformationTitle, QMessageBox::Information, QMessageBox::Ok,
            stations + ".txm: 2 γραμμές\n" + points + ".txm: 5 γραμμές\n«" + input +
                "»: γραμμή 13: παραλείφθηκε 1 σύντομη γραμμή με κωδικό 99\n«" + input +
                "»: διαβάστηκαν 10 εγγραφές: 7 γράφτηκαν, 2 όρισαν στάσεις, 1 παραλείφθηκε"),
      choose(tc600.open_title, tc6, kOpen, points, invalid),
      press(kNotValid, kWarningTitle, QMessageBox::Critical, QMessageBox::Ok,
            "«" + invalid +
                "»: γραμμή 1: έχει 17 χαρακτήρες· η εντολή δέχεται γραμμές των 64 και 112"),
      choose(tc600.open_title, tc6, kOpen, invalid, input),
      choose(kStationSaveTitle, txm, kSave, named(input, "_stations.txm"), ""),
  });
  QAction& item = *window.findChild<QAction*>(QStringLiteral("mnuLEICATC600"));
  for (int command = 0; command < 5; ++command) item.trigger();
  EXPECT_EQ(window.findChildren<QFileDialog*>().size(), 1);
  EXPECT_EQ(test::files_in(dir.path()), test::command_line_files(tc600, input));
  QWidget other;
  EXPECT_EQ(QtPlatform(other).program_folder(), default_scratch_folder());  // scratch files
}

}  // namespace
}  // namespace korvath
