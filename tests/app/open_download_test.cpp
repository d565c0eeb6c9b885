// "Άνοιγμα λήψης…", drops and the progress dialog over scripted dialogs: the detector's question,
// the choice among tied commands, the box for a file no command fits, the button that runs the
// command the file fits, the save names the input gives, and Cancel on a long conversion.
#include <gtest/gtest.h>

#include <QAction>
#include <QDropEvent>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <fstream>

#include "app/conversion_progress.hpp"
#include "app/main_window.hpp"
#include "app/open_download.hpp"
#include "bench/instrument_file.hpp"
#include "converters/catalogue.hpp"
#include "flow/overwrite.hpp"
#include "flow/report.hpp"
#include "gui_support.hpp"
#include "platform/scripted_platform.hpp"

namespace korvath {
namespace {

// Long enough that no progress dialog comes between a script's windows on a busy machine.
constexpr std::chrono::hours kNever{1};

// Records the questions' texts too, which the scripted platform leaves out.
class AskedPlatform : public ScriptedPlatform {
 public:
  std::vector<std::string> questions;
  bool ask_yes_no(std::string_view text, std::string_view title) override {
    questions.emplace_back(text);
    return ScriptedPlatform::ask_yes_no(text, title);
  }
};

QAction& item_named(FrmMAIN& window, std::string_view name) {
  if (auto* item = window.findChild<QAction*>(qs(name))) return *item;
  throw std::runtime_error("no menu item " + std::string(name));
}

std::vector<std::string> labels_of(const std::vector<Detection>& fits) {
  std::vector<std::string> labels;
  labels.reserve(fits.size());
  for (const Detection& fit : fits) labels.push_back(menu_label(*fit.command));
  return labels;
}

// Picks `label` in the list of tied commands, after checking that the list is `tied`.
test::ModalScript::Answer pick(const std::vector<std::string>& tied, const std::string& label) {
  return [=](QWidget& modal) {
    auto* dialog = qobject_cast<QInputDialog*>(&modal);
    ASSERT_NE(dialog, nullptr) << modal.windowTitle().toStdString();
    EXPECT_EQ(dialog->objectName().toStdString(), "chooseCommand");
    std::vector<std::string> shown;
    for (const QString& item : dialog->comboBoxItems()) shown.push_back(item.toStdString());
    EXPECT_EQ(shown, tied);
    dialog->setTextValue(qs(label));
    dialog->accept();
  };
}

TEST(OpenDownload, TheEmptyWindowIsADropZoneWithOneLineOfHelp) {
  ScriptedPlatform ui;
  FrmMAIN window(ui);
  auto* zone = window.findChild<QLabel*>(QStringLiteral("dropZone"));
  ASSERT_NE(zone, nullptr);
  EXPECT_EQ(window.centralWidget(), zone);
  EXPECT_EQ(zone->text().toStdString(),
            "Σύρετε εδώ ένα αρχείο λήψης ή επιλέξτε όργανο από το μενού");
  EXPECT_TRUE(window.acceptDrops());
}

// Each catalogue row's example, opened without naming its instrument and accepted (picked from
// the list when it fits several commands equally), writes what the command line writes.
TEST(OpenDownload, EveryExampleConvertsAsItsOwnCommandDoes) {
  for (const ConversionCommand& command : catalogue()) {
    const std::string example = test::example_of(command.id);
    if (example.empty() || !command.convert) continue;
    SCOPED_TRACE(command.id);
    const DownloadGuess guess = guess_download(example);
    const std::vector<std::string> tied = labels_of(guess.best);
    ASSERT_NE(std::find(tied.begin(), tied.end(), menu_label(command)), tied.end());
    const test::TempDir dir;
    AskedPlatform ui;
    ui.folder = dir.path().string();
    ui.open_answers = {example};
    for (const std::string& stem : test::output_stems(command))
      ui.save_answers.push_back(dir / stem);
    FrmMAIN window(ui);
    window.set_progress_delay(kNever);  // the script answers the list alone
    std::deque<test::ModalScript::Answer> picks;
    if (tied.size() > 1) picks.push_back(pick(tied, menu_label(command)));
    {
      const test::ModalScript script(std::move(picks));
      item_named(window, "mnuOPENDOWNLOAD").trigger();
    }
    if (tied.size() == 1) {
      EXPECT_EQ(ui.questions,
                std::vector<std::string>{detect_question(example, guess.best.front())});
    } else {
      EXPECT_TRUE(ui.questions.empty());
    }
    EXPECT_TRUE(ui.messages.size() == 1 && ui.messages[0].text == kConverted);
    EXPECT_EQ(test::files_in(dir.path()), test::command_line_files(command, example));
  }
}

TEST(OpenDownload, TheQuestionNamesTheFileTheCommandAndWhatWasSeen) {
  const std::string example = test::example_of("south-mes");
  AskedPlatform ui;
  ui.open_answers = {example};
  ui.yes_no_answers = {false};  // No: nothing more happens
  FrmMAIN window(ui);
  item_named(window, "mnuOPENDOWNLOAD").trigger();
  ASSERT_EQ(ui.questions.size(), 1u);
  const std::string& asked = ui.questions[0];
  EXPECT_TRUE(asked.starts_with("Το αρχείο «south-mes.txt» μοιάζει με SOUTH / ΜΕΤΡΗΣΕΙΣ (γραμμές "))
      << asked;
  EXPECT_TRUE(asked.ends_with("). Μετατροπή;")) << asked;
  EXPECT_EQ(ui.dialog_titles,
            (std::vector<std::string>{"Άνοιγμα λήψης", "Άνοιγμα λήψης"}));  // open, question
  EXPECT_TRUE(ui.messages.empty());
}

TEST(OpenDownload, ATieIsChosenFromTheListOfTheTiedCommands) {
  const std::string example = test::example_of("leica-tcr407-idx");
  const test::TempDir dir;
  AskedPlatform ui;
  ui.folder = dir.path().string();
  ui.open_answers = {example};
  ui.save_answers = {dir / "coords"};
  FrmMAIN window(ui);
  window.set_progress_delay(kNever);
  {
    const test::ModalScript script(
        {pick({"LEICA / TCR 407 / IDX FILE", "LEICA / TCR 407 / ΣΥΝΤΕΤΑΓΜΕΝΕΣ (IDX)"},
              "LEICA / TCR 407 / ΣΥΝΤΕΤΑΓΜΕΝΕΣ (IDX)")});
    item_named(window, "mnuOPENDOWNLOAD").trigger();
  }
  EXPECT_EQ(ui.dialog_titles.back(), kCoordinateSaveTitle);  // the coordinate command ran
  EXPECT_TRUE(ui.messages.size() == 1 && ui.messages[0].text == kConverted);
}

TEST(OpenDownload, AFileNoCommandFitsGetsABoxWithTheReasonAndNoDialog) {
  const test::TempDir dir;
  const std::string letter = dir / "letter.txt", binary = dir / "photo.jpg";
  test::write_file(letter, "Dear surveyor,\nthe invoice is attached.\n");
  test::write_file(binary, std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11));
  ScriptedPlatform ui;
  FrmMAIN window(ui);
  window.open_downloads({letter, binary, dir / "missing.txt"});
  ASSERT_EQ(ui.messages.size(), 3u);
  for (const auto& message : ui.messages) {
    EXPECT_EQ(message.title, "Άνοιγμα λήψης");
    EXPECT_EQ(message.icon, Icon::warning);
  }
  EXPECT_EQ(ui.messages[0].text, no_fit_text(letter));
  EXPECT_TRUE(ui.messages[0].text.starts_with("Το αρχείο «letter.txt» δεν μοιάζει με καμία λήψη"));
  EXPECT_FALSE(ui.messages[0].details.empty());
  EXPECT_EQ(ui.messages[1].details, "δεν είναι αρχείο κειμένου");
  EXPECT_TRUE(ui.messages[2].details.starts_with("«" + dir / "missing.txt" + "»: δεν ανοίγει"))
      << ui.messages[2].details;
  EXPECT_TRUE(ui.dialog_titles.empty());  // the menu stays for a manual choice
}

// A wrong menu item whose file fits another command: its box offers that command, which runs on
// the same input and writes what its own item writes.
TEST(OpenDownload, TheBoxOfAWrongCommandRunsTheCommandTheFileFits) {
  const ConversionCommand& pentax = *find_command("pentax-mes");
  const std::string example = test::example_of(pentax.id);
  const test::TempDir dir, wrong;
  ScriptedPlatform ui;
  ui.folder = dir.path().string();
  ui.open_answers = {example};
  ui.save_answers = {wrong / "stations", wrong / "points", dir / "stations", dir / "points"};
  ui.action_answers = {true};
  FrmMAIN window(ui);
  item_named(window, "mnuSOUTHMES").trigger();
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].action, "Μετατροπή ως PENTAX / ΜΕΤΡΗΣΕΙΣ RAW");
  EXPECT_EQ(ui.messages[1].text, kConverted);
  EXPECT_EQ(ui.messages[1].action, "");  // it fits: nothing more to offer
  EXPECT_EQ(ui.dialog_titles.front(), find_command("south-mes")->open_title);
  EXPECT_EQ(
      std::count(ui.dialog_titles.begin(), ui.dialog_titles.end(), std::string(pentax.open_title)),
      0);  // the same input, not asked again
  test::Files written = test::files_in(dir.path());
  EXPECT_EQ(written.erase("ConvSou.txt"), 1u);  // the wrong command's scratch file
  EXPECT_EQ(written, test::command_line_files(pentax, example));
}

// The TC 600 check rejects a Nikon download; its box runs the Nikon command instead.
TEST(OpenDownload, TheBoxOfARejectedInputRunsTheCommandTheFileFits) {
  const ConversionCommand& nikon = *find_command("nikon-npl352-raw");
  const std::string example = test::example_of(nikon.id);
  const test::TempDir dir;
  ScriptedPlatform ui;
  ui.folder = dir.path().string();
  ui.open_answers = {example};
  ui.save_answers = {dir / "stations", dir / "points"};
  ui.action_answers = {true};
  FrmMAIN window(ui);
  item_named(window, "mnuLEICATC600").trigger();
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, kNotValid);
  EXPECT_EQ(ui.messages[0].action, "Μετατροπή ως NIKON / NPL 352 / RAW FORMAT");
  EXPECT_EQ(ui.messages[1].text, kConverted);
  EXPECT_EQ(test::files_in(dir.path()), test::command_line_files(nikon, example));
}

// From the menus too, each save dialog starts with the name the input gives, beside it.
TEST(OpenDownload, SaveDialogsArePrefilledBesideTheInput) {
  for (const char* id : {"south-mes", "pentax-cor"}) {
    const ConversionCommand& command = *find_command(id);
    const test::TempDir in, dir;
    const std::string input = in / "ΑΓΡΟΣ 12.txt";
    test::write_file(input, test::read_file(test::example_of(id)));
    ScriptedPlatform ui;
    ui.folder = dir.path().string();
    ui.open_answers = {input};
    for (const std::string& stem : test::output_stems(command))
      ui.save_answers.push_back(dir / stem);
    FrmMAIN window(ui);
    item_named(window, command.menu_name).trigger();
    EXPECT_EQ(ui.suggested_paths, named_outputs(command, input, in.path().string())) << id;
    EXPECT_EQ(ui.suggested_paths.front().substr(0, input.size() - 4), in / "ΑΓΡΟΣ 12") << id;
  }
}

// The ODR listing beside the point file is replaced only when the user agrees, as on the
// command line.
TEST(OpenDownload, AnOdrListingThatWouldBeReplacedIsAskedAbout) {
  const ConversionCommand& pentax = *find_command("pentax-mes");
  const test::TempDir dir;
  test::write_file(dir / "points.txm.ODR", "kept\r\n");  // beside "points", named without a dot
  AskedPlatform ui;
  ui.folder = dir.path().string();
  ui.open_answers = {test::example_of(pentax.id)};
  ui.save_answers = {dir / "stations", dir / "points"};
  ui.yes_no_answers = {false};
  FrmMAIN window(ui);
  item_named(window, pentax.menu_name).trigger();
  EXPECT_EQ(ui.questions, std::vector<std::string>{std::string(kOverwriteQuestion)});
  EXPECT_EQ(test::read_file(dir / "points.txm.ODR"), "kept\r\n");
  EXPECT_TRUE(ui.messages.empty());
}

// A long conversion shows its progress; Cancel stops it on its error path, and the box says
// which outputs it left and how many lines each holds.
TEST(OpenDownload, CancelInTheProgressDialogStopsALongConversion) {
  // Nikon DOS opens its outputs at their dialogs: both are there to be named when it stops.
  const ConversionCommand& nikon = *find_command("nikon-npl352-dos");
  const test::TempDir dir;
  const std::string input = dir / "big.cmt";
  {
    std::ofstream out(input, std::ios::binary);
    bench::generate(nikon.id, std::uint64_t{64} << 20,
                    [&](std::string_view piece) { out.write(piece.data(), piece.size()); });
  }
  ScriptedPlatform ui;
  ui.folder = dir.path().string();
  ui.open_answers = {input};
  ui.save_answers = {dir / "stations", dir / "points"};
  FrmMAIN window(ui);
  window.show();
  window.set_progress_delay(std::chrono::milliseconds(0));  // shown at once: no timing
  std::string shown;
  {
    const test::ModalScript script({[&](QWidget& modal) {
      EXPECT_EQ(modal.objectName().toStdString(), "progressDialog");
      if (auto* text = modal.findChild<QLabel*>()) shown = text->text().toStdString();
      modal.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    }});
    item_named(window, nikon.menu_name).trigger();
  }
  EXPECT_TRUE(shown.starts_with("Ανάγνωση του «big.cmt»: ")) << shown;
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, Icon::error);
  EXPECT_NE(ui.messages[0].text.find("η μετατροπή διακόπηκε (με το κουμπί Άκυρο)"),
            std::string::npos)
      << ui.messages[0].text;
  EXPECT_NE(ui.messages[0].details.find("«" + dir / "stations.txm" + "» "), std::string::npos)
      << ui.messages[0].details;
  EXPECT_NE(ui.messages[0].details.find("«" + dir / "points.txm" + "» "), std::string::npos)
      << ui.messages[0].details;
  // The next run is not stopped by this one's Cancel.
  ui.open_answers = {test::example_of(nikon.id)};
  ui.save_answers = {dir / "stations", dir / "points"};
  ui.messages.clear();
  item_named(window, nikon.menu_name).trigger();
  EXPECT_TRUE(ui.messages.size() == 1 && ui.messages[0].text == kConverted);
}

// Files dropped on the window are opened one after another, once the drop has returned.
TEST(OpenDownload, DroppedFilesAreOpenedOneAfterAnother) {
  AskedPlatform ui;
  ui.yes_no_answers = {false, false};
  FrmMAIN window(ui);
  QMimeData dragged;
  dragged.setUrls({QUrl::fromLocalFile(qs(test::example_of("south-mes"))),
                   QUrl::fromLocalFile(qs(test::example_of("pentax-mes")))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  EXPECT_TRUE(ui.questions.empty());
  QApplication::processEvents();
  ASSERT_EQ(ui.questions.size(), 2u);
  EXPECT_NE(ui.questions[0].find("«south-mes.txt»"), std::string::npos);
  EXPECT_NE(ui.questions[1].find("«pentax-mes.raw»"), std::string::npos);
}

// The progress dialog's count, and where it comes from: the position of the input as this
// process reads it.
TEST(OpenDownload, TheProgressSaysHowMuchOfTheInputWasRead) {
  EXPECT_EQ(read_so_far_text(170786816, 629148439), "170.786.816 από 629.148.439 bytes (27 %)");
  EXPECT_EQ(read_so_far_text(12, 0), "12 bytes");  // size unknown
  EXPECT_EQ(read_so_far_text(20, 10), "10 από 10 bytes (100 %)");
  const test::TempDir dir;
  const std::string input = dir / "ΑΓΡΟΣ 12.txt";
  test::write_file(input, std::string(10000, 'x'));
  EXPECT_EQ(read_position(input), std::nullopt);  // not open
  std::ifstream reading(input, std::ios::binary);
  std::string first(4096, '\0');
  reading.read(first.data(), static_cast<std::streamsize>(first.size()));
  const std::optional<std::uint64_t> position = read_position(input);
  ASSERT_TRUE(position.has_value());
  EXPECT_GE(*position, 4096u);
}

TEST(OpenDownload, CountsInTheWindowsBoxesAreGroupedTheGreekWay) {
  EXPECT_EQ(count_text(1747626, Count::grouped), "1.747.626");
  EXPECT_EQ(count_text(999, Count::grouped), "999");
  EXPECT_EQ(count_text(1000, Count::grouped), "1.000");
  EXPECT_EQ(count_text(1747626, Count::plain), "1747626");  // the command line's
  EXPECT_EQ(written_line({"a.txm", 12345}), "a.txm: 12345 γραμμές");
  Outcome done;
  done.status = Outcome::Status::converted;
  done.written = {{"a.txm", 12345}};
  EXPECT_EQ(success_details(done), "a.txm: 12.345 γραμμές");
}

}  // namespace
}  // namespace korvath
