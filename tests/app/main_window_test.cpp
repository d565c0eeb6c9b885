// The main window over scripted dialogs: the menu tree and its inert items, that every item runs
// its own command as the command line does and one at a time, and the about window.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <utility>

#include "app/about_window.hpp"
#include "app/main_window.hpp"
#include "converters/catalogue.hpp"
#include "gui_support.hpp"
#include "platform/scripted_platform.hpp"
#include "support/case_file.hpp"

namespace korvath {
namespace {

// The items as tests/app/window.table writes them; a separator, check mark, shortcut or a submenu
// named unlike its item adds "!".
QString outline(const QList<QAction*>& items, const QString& between) {
  QStringList written;
  for (const QAction* item : items) {
    QString one = item->text() + u'=' + item->objectName();
    if (item->isSeparator() || item->isCheckable() || !item->shortcut().isEmpty()) one += u'!';
    if (const QMenu* menu = item->menu())
      one += (menu->objectName() == item->objectName() ? "{" : "!{") +
             outline(menu->actions(), QStringLiteral(", ")) + u'}';
    written << one;
  }
  return written.join(between);
}

QAction& item_named(FrmMAIN& window, const std::string_view name) {
  if (auto* item = window.findChild<QAction*>(qs(name))) return *item;
  throw std::runtime_error("no menu item " + std::string(name));
}

TEST(MainWindow, MenuTreeInOrderWithCaptionsAndNames) {
  ScriptedPlatform ui;
  FrmMAIN window(ui);
  EXPECT_EQ(window.windowTitle().toStdString(), "Korvath");
  std::string menus;
  for (const test::TableRow& row : test::read_table(KORVATH_EXAMPLES "/../tests/app/window.table"))
    if (row.fields.at(0) == "menu") menus += (menus.empty() ? "" : " ") + row.fields.at(1);
  EXPECT_EQ(outline(window.menuBar()->actions(), QStringLiteral(" ")).toStdString(), menus);
}

// Chooses menu items while a command waits in its open dialog, as a queued trigger that the
// dialog's event loop delivers would.
class TriggeringPlatform : public ScriptedPlatform {
 public:
  std::vector<QAction*> during_open_dialog;
  std::optional<std::string> ask_open_path(std::string_view title,
                                           std::string_view filter) override {
    for (QAction* other : std::exchange(during_open_dialog, {})) other->trigger();
    return ScriptedPlatform::ask_open_path(title, filter);
  }
};

// Each item on its command's example writes the command line's files (many commands share an
// open dialog title: the files show which command ran), and items chosen meanwhile start no
// second command.
TEST(MainWindow, EveryItemWritesTheFilesOfTheCommandLineOneCommandAtATime) {
  for (const ConversionCommand& command : catalogue()) {
    SCOPED_TRACE(command.id);
    const std::string example = test::example_of(command.id);
    const test::TempDir dir;
    TriggeringPlatform ui;
    ui.folder = dir.path().string();
    ui.open_answers = {example};
    for (const std::string& stem : test::output_stems(command))
      ui.save_answers.push_back(dir / stem);
    FrmMAIN window(ui);
    for (const ConversionCommand& other : catalogue())
      ui.during_open_dialog.push_back(&item_named(window, other.menu_name));
    item_named(window, command.menu_name).trigger();
    EXPECT_TRUE(ui.messages.size() == 1 && ui.messages[0].text == kConverted);
    EXPECT_EQ(test::files_in(dir.path()), test::command_line_files(command, example));
  }
}

// A file the TC 600 check rejects: the window says, below the line that failed, what it looks
// like (a success that wrote nothing says so too: the command line's test).
TEST(MainWindow, AWrongCommandIsToldWhatTheFileLooksLike) {
  const std::string nikon = KORVATH_EXAMPLES "/nikon-npl352-raw.nik";
  ScriptedPlatform ui;
  FrmMAIN window(ui);
  ui.open_answers = {nikon};
  item_named(window, "mnuLEICATC600").trigger();
  ASSERT_EQ(ui.messages.size(), 1u);
  const std::string guess = "NIKON / NPL 352 / RAW FORMAT (nikon-npl352-raw).";
  EXPECT_EQ(ui.messages[0].text, kNotValid);
  EXPECT_EQ(ui.messages[0].details,
            "«" + nikon + "»: γραμμή 1: έχει 30 χαρακτήρες· η εντολή δέχεται γραμμές των 64 και " +
                "112\nΤο αρχείο μοιάζει με " + guess);
}

// Each opening shows a new Form1, modal over the window, that is gone once closed: no window
// keeps the link blue from an earlier opening.
TEST(MainWindow, InfoOpensAFreshModalAboutWindowEachTime) {
  ScriptedPlatform ui;
  FrmMAIN window(ui);
  window.show();
  const auto close_about = [&](QWidget& modal) {
    EXPECT_TRUE(dynamic_cast<Form1*>(&modal) && modal.parentWidget() == &window);
    EXPECT_TRUE(modal.isModal() && modal.windowTitle() == QStringLiteral("ΒΟΗΘΕΙΑ"));
    static_cast<QDialog&>(modal).accept();
  };
  const test::ModalScript script({close_about, close_about});
  for (int opening = 0; opening < 2; ++opening) {
    item_named(window, "MNUHELP").trigger();
    EXPECT_TRUE(window.findChildren<Form1*>().isEmpty());
  }
}

}  // namespace
}  // namespace korvath
