// The main window over scripted dialogs: the menu tree, what each item runs, and that a menu
// conversion writes what the command line writes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <filesystem>
#include <string>
#include <vector>

#include "app/about_window.hpp"
#include "app/main_window.hpp"
#include "command_line.hpp"
#include "converters/catalogue.hpp"
#include "flow/run.hpp"
#include "modal_script.hpp"
#include "platform/qt/qt_text.hpp"
#include "platform/scripted_platform.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

using test::TempDir;

struct MenuItem {
  const char* caption;
  const char* name;
  std::vector<MenuItem> items;  // a submenu when not empty
};

const std::vector<MenuItem> kMenuTree = {
    {"SOUTH", "mnuSOUTH", {{"ΜΕΤΡΗΣΕΙΣ", "mnuSOUTHMES", {}}}},
    {"PENTAX",
     "mnuPENTAX",
     {{"ΜΕΤΡΗΣΕΙΣ RAW", "mnuPENTAXMES", {}},
      {"ΣΥΝΤΕΤΑΓΜΕΝΕΣ RAW", "mnuPENTAXCOR", {}},
      {"ΜΕΤΡΗΣΕΙΣ (ΟΔΕΥΣΗ)", "mnuPENTAXMESOD", {}},
      {"ΣΥΝΤΕΤΑΓΜΕΝΕΣ (ΟΔΕΥΣΗ)", "mnuPENTAXCOROD", {}}}},
    {"NIKON",
     "mnuNIKON",
     {{"NPL 352",
       "mnuNIKONNPL352",
       {{"DOS FORMAT", "mnuNIKONNPL352DOS", {}}, {"RAW FORMAT", "mnuNIKONNPL352RAW", {}}}}}},
    {"TOPCON",
     "mnuTOPCON",
     {{"GPT 3000", "mnuTOPCONGTS3000", {}},
      {"GPT 3000 RAW", "mnuTOPCONGTS3000RAW", {}},
      {"GPT 3000 RAW (WordPad Saved)", "mnuTOPCONGTS3000RAWwardpad", {}}}},
    {"LEICA",
     "mnuLEICA",
     {{"TC 600", "mnuLEICATC600", {}},
      {"TCR 307", "mnuLEICATCR307", {}},
      {"TCR 407",
       "mnuLEICATCR407",
       {{"IDX FILE", "mnuLEICATCR407IDX", {}},
        {"MDT FILE", "mnuLEICATCR407MDT", {}},
        {"ΣΥΝΤΕΤΑΓΜΕΝΕΣ (IDX)", "mnuLEICATCR407CORDS", {}}}}}},
    {"SOKKIA", "mnuSOKKIA", {}},
    {"FOIF", "mnuFOIF", {{"ΜΕΤΡΗΣΕΙΣ", "mnuFOIFMES", {}}, {"ΣΥΝΤΕΤΑΓΜΕΝΕΣ", "mnuFOIFCOR", {}}}},
    {"INFO", "MNUHELP", {}},
};

void expect_items(const QList<QAction*>& actions, const std::vector<MenuItem>& expected,
                  const std::string& where) {
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size())) << where;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const QAction& action = *actions[static_cast<qsizetype>(i)];
    const MenuItem& item = expected[i];
    const std::string here = where + " / " + item.caption;
    EXPECT_EQ(action.text().toStdString(), item.caption) << here;
    EXPECT_EQ(action.objectName().toStdString(), item.name) << here;
    EXPECT_FALSE(action.isSeparator()) << here;
    EXPECT_FALSE(action.isCheckable()) << here;
    EXPECT_TRUE(action.shortcut().isEmpty()) << here;
    EXPECT_EQ(action.menu() != nullptr, !item.items.empty()) << here;
    if (action.menu()) {
      EXPECT_EQ(action.menu()->objectName().toStdString(), item.name) << here;
      expect_items(action.menu()->actions(), item.items, here);
    }
  }
}

QAction& item_named(FrmMAIN& window, const std::string_view name) {
  QAction* action = window.findChild<QAction*>(qs(name));
  if (!action) throw std::runtime_error("no menu item " + std::string(name));
  return *action;
}

std::vector<std::string> files_in(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(MainWindow, MenuTreeHasEveryItemInOrderWithItsCaptionAndName) {
  ScriptedPlatform ui;
  FrmMAIN window(ui);
  EXPECT_EQ(window.windowTitle().toStdString(), "Korvath");
  expect_items(window.menuBar()->actions(), kMenuTree, "menu bar");
}

TEST(MainWindow, SokkiaAndFoifItemsOpenNothing) {
  ScriptedPlatform ui;
  FrmMAIN window(ui);
  window.show();
  const test::ModalScript script({});
  const qsizetype windows_before = QApplication::topLevelWidgets().size();
  for (const char* name : {"mnuSOKKIA", "mnuFOIFMES", "mnuFOIFCOR"}) {
    item_named(window, name).trigger();
    QApplication::processEvents();
  }
  EXPECT_TRUE(ui.dialog_titles.empty());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(script.unexpected().isEmpty());
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows_before);
}

class MenuItemOfCommand : public ::testing::TestWithParam<ConversionCommand> {};

// A cancelled open dialog shows that the item started its own command and nothing else.
TEST_P(MenuItemOfCommand, StartsItsOwnCommand) {
  const ConversionCommand& command = GetParam();
  ScriptedPlatform ui;
  ui.open_answers.push_back(std::nullopt);
  FrmMAIN window(ui);
  item_named(window, command.menu_name).trigger();
  if (command.convert) {
    EXPECT_EQ(ui.dialog_titles, std::vector<std::string>{std::string(command.open_title)});
    EXPECT_TRUE(ui.messages.empty());
  } else {
    EXPECT_TRUE(ui.dialog_titles.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, not_built_text(command));
    EXPECT_EQ(ui.messages[0].title, kWarningTitle);
    EXPECT_EQ(ui.messages[0].icon, Icon::error);
  }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, MenuItemOfCommand, ::testing::ValuesIn(catalogue()),
                         [](const auto& info) {
                           std::string name;
                           for (const char c : info.param.id)
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           return name;
                         });

TEST(MainWindow, TC600ItemWritesTheFilesOfTheCommandLine) {
  const std::string example = test::example_path("leica-tc600.TC6");
  const TempDir window_dir, cli_dir;
  ScriptedPlatform ui;
  ui.folder = window_dir.path().string();
  ui.open_answers.push_back(example);
  ui.save_answers.push_back(window_dir / "stations");  // the flow adds ".txm"
  ui.save_answers.push_back(window_dir / "points.txt");
  FrmMAIN window(ui);
  item_named(window, "mnuLEICATC600").trigger();

  EXPECT_EQ(ui.dialog_titles,
            (std::vector<std::string>{"Άνοιγμα αρχείου WILD TC 600", std::string(kStationSaveTitle),
                                      std::string(kPointSaveTitle)}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kConverted);
  EXPECT_EQ(ui.messages[0].title, kInformationTitle);
  EXPECT_EQ(ui.messages[0].icon, Icon::information);

  ASSERT_EQ(test::convert_with_binary("leica-tc600", example,
                                      {cli_dir / "stations.txm", cli_dir / "points.txm"},
                                      cli_dir.path().string()),
            0);
  EXPECT_EQ(files_in(window_dir), files_in(cli_dir));
  for (const char* name : {"stations.txm", "points.txm"}) {
    const std::string written = test::read_file(window_dir / name);
    EXPECT_FALSE(written.empty()) << name;
    EXPECT_EQ(written, test::read_file(cli_dir / name)) << name;
  }
}

struct CancelCase {
  const char* name;
  std::size_t answered_saves;  // save dialogs answered before the one cancelled
  std::vector<std::string> files_left;
};

const CancelCase kCancels[] = {
    {"OpenDialog", 0, {}},
    {"StationDialog", 0, {}},
    {"PointDialog", 1, {"stations.txm"}},
};

class CancelledDialog : public ::testing::TestWithParam<CancelCase> {};

TEST_P(CancelledDialog, EndsSilentlyAndTheNextCommandRuns) {
  const CancelCase& c = GetParam();
  const TempDir dir;
  ScriptedPlatform ui;
  ui.folder = dir.path().string();
  const bool cancel_open = std::string_view(c.name) == "OpenDialog";
  ui.open_answers.push_back(cancel_open ? std::nullopt
                                        : std::optional(test::example_path("leica-tc600.TC6")));
  if (c.answered_saves > 0) ui.save_answers.push_back(dir / "stations.txm");
  ui.save_answers.push_back(std::nullopt);
  FrmMAIN window(ui);
  item_named(window, "mnuLEICATC600").trigger();

  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(files_in(dir), c.files_left);
  if (!c.files_left.empty()) {
    EXPECT_EQ(test::read_file(dir / "stations.txm"), "");
  }

  ui.open_answers = {test::example_path("leica-tc600.TC6")};
  ui.save_answers = {dir / "stations.txm", dir / "points.txm"};
  item_named(window, "mnuLEICATC600").trigger();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kConverted);
}

INSTANTIATE_TEST_SUITE_P(LeicaTC600, CancelledDialog, ::testing::ValuesIn(kCancels),
                         [](const auto& info) { return std::string(info.param.name); });

// A menu trigger delivered while a command waits in its dialog (a queued event the modal
// loop processes) must not start a second command.
class TriggeringPlatform : public ScriptedPlatform {
 public:
  std::vector<QAction*> during_open_dialog;
  std::optional<std::string> ask_open_path(std::string_view title,
                                           std::string_view filter) override {
    for (QAction* other : during_open_dialog) other->trigger();
    return ScriptedPlatform::ask_open_path(title, filter);
  }
};

TEST(MainWindow, NoSecondCommandStartsWhileOneRuns) {
  TriggeringPlatform ui;
  FrmMAIN window(ui);
  ui.during_open_dialog = {&item_named(window, "mnuLEICATC600"),
                           &item_named(window, "mnuSOUTHMES")};
  item_named(window, "mnuLEICATC600").trigger();
  EXPECT_EQ(ui.dialog_titles, std::vector<std::string>{"Άνοιγμα αρχείου WILD TC 600"});
  EXPECT_TRUE(ui.messages.empty());

  ui.during_open_dialog.clear();  // once it has ended, the next command starts as usual
  item_named(window, "mnuLEICATC600").trigger();
  EXPECT_EQ(ui.dialog_titles.size(), 2u);
}

TEST(MainWindow, InfoOpensAFreshModalAboutWindowEachTime) {
  ScriptedPlatform ui;
  FrmMAIN window(ui);
  window.show();
  std::vector<QString> link_colours;
  const auto inspect = [&](QWidget& modal, bool hover_link) {
    EXPECT_NE(dynamic_cast<Form1*>(&modal), nullptr);
    EXPECT_EQ(modal.windowTitle().toStdString(), "ΒΟΗΘΕΙΑ");
    EXPECT_EQ(modal.parentWidget(), &window);
    EXPECT_TRUE(modal.isModal());
    auto* link = modal.findChild<QWidget*>(QStringLiteral("Label8"));
    ASSERT_NE(link, nullptr);
    link_colours.push_back(link->palette().color(QPalette::WindowText).name());
    if (hover_link) {
      QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
      QApplication::sendEvent(link, &move);
      link_colours.push_back(link->palette().color(QPalette::WindowText).name());
    }
    static_cast<QDialog&>(modal).accept();
  };
  const test::ModalScript script(
      {[&](QWidget& m) { inspect(m, true); }, [&](QWidget& m) { inspect(m, false); }});
  item_named(window, "MNUHELP").trigger();
  EXPECT_TRUE(window.findChildren<Form1*>().isEmpty());  // gone once closed
  item_named(window, "MNUHELP").trigger();

  EXPECT_EQ(script.left(), 0u);
  EXPECT_EQ(link_colours, (std::vector<QString>{"#ffff00", "#0000ff", "#ffff00"}));
}

}  // namespace
}  // namespace korvath
