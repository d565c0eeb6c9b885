// The about window: its labels as designed and legible over their backgrounds, the logo, the
// hover rules of the link and what a click on it opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMouseEvent>
#include <cmath>

#include "app/about_window.hpp"
#include "flow/text.hpp"
#include "flow/version.hpp"
#include "platform/qt/qt_text.hpp"
#include "support/case_file.hpp"

namespace korvath {
namespace {

// WCAG relative luminance: text reads well where (lighter + 0.05) / (darker + 0.05) >= 4.5.
double luminance(const QColor& c) {
  const auto linear = [](double v) {
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

// The colour a transparent label shows through: its nearest ancestor that paints itself.
QColor background_of(const QWidget& label) {
  const QWidget* w = label.parentWidget();
  while (w && !w->autoFillBackground()) w = w->parentWidget();
  return w ? w->palette().color(QPalette::Window) : QColor();
}

QLabel& label(Form1& form, const char* name) {
  if (auto* found = form.findChild<QLabel*>(QString::fromLatin1(name))) return *found;
  throw std::runtime_error(std::string("no ") + name);
}

void send_mouse(QWidget& widget, QEvent::Type type, QPointF where, Qt::MouseButton button) {
  QMouseEvent event(type, where, widget.mapToGlobal(where), button, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

TEST(AboutWindow, LabelsHaveTheirTextTypefaceColourAndAlignmentAndTheLogoItsSize) {
  QWidget window;
  Form1 form(&window, [](const QUrl&) {});
  for (const test::TableRow& row :
       test::read_table(KORVATH_EXAMPLES "/../tests/app/window.table")) {
    if (row.fields.at(0) != "label") continue;
    SCOPED_TRACE(row.where);
    const QLabel& l = label(form, row.fields.at(1).c_str());
    const QColor colour(qs(row.fields.at(4)));
    const std::string text = replace_all(row.fields[2], "{version}", kVersion);
    EXPECT_EQ(l.text().toStdString(), text == "*" ? l.text().toStdString() : text);
    EXPECT_FALSE(l.text().isEmpty());
    EXPECT_TRUE(l.font().families().value(0) == u"Verdana" && l.font().bold());
    EXPECT_DOUBLE_EQ(l.font().pointSizeF(), std::stod(row.fields.at(3)));
    const QString shown = QFontInfo(l.font()).family();  // the fallback when Verdana is missing
    EXPECT_TRUE(QFontDatabase::writingSystems(shown).contains(QFontDatabase::Greek));
    EXPECT_EQ(l.palette().color(QPalette::WindowText), colour);
    EXPECT_EQ(l.alignment() & Qt::AlignHorizontal_Mask,
              row.fields.at(5) == "right" ? Qt::AlignRight : Qt::AlignHCenter);
    EXPECT_FALSE(l.autoFillBackground());  // transparent
    const auto [dark, light] = std::minmax({luminance(colour), luminance(background_of(l))});
    EXPECT_GE((light + 0.05) / (dark + 0.05), 4.5) << background_of(l).name().toStdString();
  }
  EXPECT_EQ(label(form, "Picture1").pixmap().size(), QSize(449, 75));
}

// The link stays blue until the mouse passes over Label7 or the picture; only a left click on it
// opens the web address it shows.
TEST(AboutWindow, LinkColourOnHoverAndWhatAClickOpens) {
  QWidget window;
  std::vector<QUrl> opened;
  Form1 form(&window, [&](const QUrl& url) { opened.push_back(url); });
  form.show();
  QLabel& link = label(form, "Label8");
  QString colours;
  for (const char* over : {"Label8", "Label1", "Label5", "Label7", "Label8", "Picture1"}) {
    send_mouse(label(form, over), QEvent::MouseMove, QPointF(3, 3), Qt::NoButton);
    colours += link.palette().color(QPalette::WindowText).name() + u' ';
  }
  EXPECT_EQ(colours, "#0000ff #0000ff #0000ff #ffff00 #0000ff #ffff00 ");
  send_mouse(link, QEvent::MouseButtonRelease, QPointF(2, 2), Qt::RightButton);
  send_mouse(link, QEvent::MouseButtonRelease, QPointF(-5, -5), Qt::LeftButton);  // outside
  send_mouse(label(form, "Label7"), QEvent::MouseButtonRelease, QPointF(2, 2), Qt::LeftButton);
  EXPECT_TRUE(opened.empty());
  send_mouse(link, QEvent::MouseButtonRelease, QPointF(2, 2), Qt::LeftButton);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].toString().toStdString(), kWebAddress);
  EXPECT_NE(link.text().indexOf(opened[0].host()), -1);
}

}  // namespace
}  // namespace korvath
