// The about window: its labels as designed, legible over their backgrounds, the hover rules of
// the link and what a click on it opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMouseEvent>
#include <cmath>
#include <string>
#include <vector>

#include "app/about_window.hpp"
#include "app/logo.hpp"

namespace korvath {
namespace {

struct LabelCase {
  const char* name;
  const char* text;  // nullptr: the maker's placeholder, any non-empty text
  double point_size;
  QColor colour;
  Qt::Alignment horizontal;
};

const LabelCase kLabels[] = {
    {"Label1", "K O R V A T H", 11.25, QColor(255, 255, 255), Qt::AlignHCenter},
    {"Label2", nullptr, 11.25, QColor(255, 255, 255), Qt::AlignHCenter},
    {"Label3", "έκδοση 1.1", 9.75, QColor(255, 255, 255), Qt::AlignHCenter},
    {"Label4", nullptr, 8.25, QColor(0, 0, 0), Qt::AlignRight},
    {"Label5", nullptr, 8.25, QColor(0, 0, 0), Qt::AlignRight},
    {"Label6", nullptr, 8.25, QColor(0, 0, 0), Qt::AlignRight},
    {"Label7", nullptr, 8.25, QColor(255, 0, 0), Qt::AlignHCenter},
    {"Label8", nullptr, 9.75, QColor(255, 255, 0), Qt::AlignHCenter},
};

// WCAG contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto channel = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour a transparent label shows through: its nearest ancestor that paints itself.
QColor background_of(const QWidget& label) {
  const QWidget* w = label.parentWidget();
  while (w && !w->autoFillBackground()) w = w->parentWidget();
  return w ? w->palette().color(QPalette::Window) : QColor();
}

QLabel& label(Form1& form, const char* name) {
  auto* found = form.findChild<QLabel*>(QString::fromLatin1(name));
  if (!found) throw std::runtime_error(std::string("no ") + name);
  return *found;
}

void move_over(QWidget& widget) {
  QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), widget.mapToGlobal(QPointF(3, 3)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &move);
}

void release_on(QWidget& widget, QPointF where, Qt::MouseButton button) {
  QMouseEvent release(QEvent::MouseButtonRelease, where, widget.mapToGlobal(where), button,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &release);
}

QColor link_colour(Form1& form) {
  return label(form, "Label8").palette().color(QPalette::WindowText);
}

class AboutLabel : public ::testing::TestWithParam<LabelCase> {};

TEST_P(AboutLabel, HasItsTextTypefaceColourAndAlignment) {
  const LabelCase& c = GetParam();
  QWidget window;
  Form1 form(&window, [](const QUrl&) {});
  const QLabel& l = label(form, c.name);
  if (c.text)
    EXPECT_EQ(l.text().toStdString(), c.text);
  else
    EXPECT_FALSE(l.text().isEmpty());
  EXPECT_EQ(l.font().families().value(0).toStdString(), "Verdana");
  EXPECT_TRUE(l.font().bold());
  EXPECT_DOUBLE_EQ(l.font().pointSizeF(), c.point_size);
  const QString resolved = QFontInfo(l.font()).family();
  EXPECT_TRUE(QFontDatabase::writingSystems(resolved).contains(QFontDatabase::Greek))
      << resolved.toStdString();
  EXPECT_EQ(l.palette().color(QPalette::WindowText), c.colour);
  EXPECT_EQ(l.alignment() & Qt::AlignHorizontal_Mask, c.horizontal);
  EXPECT_FALSE(l.autoFillBackground());  // transparent
  EXPECT_GE(contrast(c.colour, background_of(l)), 4.5) << background_of(l).name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Form1, AboutLabel, ::testing::ValuesIn(kLabels),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AboutWindow, IsAModalHelpWindowWithTheDrawnLogo) {
  QWidget window;
  Form1 form(&window, [](const QUrl&) {});
  EXPECT_EQ(form.windowTitle().toStdString(), "ΒΟΗΘΕΙΑ");
  EXPECT_TRUE(form.isModal());
  auto* picture = form.findChild<QLabel*>(QStringLiteral("Picture1"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->pixmap().size(), QSize(449, 75));
  EXPECT_EQ(draw_logo().size(), QSize(kLogoWidth, kLogoHeight));
}

TEST(AboutWindow, LinkStaysBlueUntilTheMousePassesOverLabel7OrThePicture) {
  QWidget window;
  Form1 form(&window, [](const QUrl&) {});
  const QColor blue(0, 0, 255), yellow(255, 255, 0);
  EXPECT_EQ(link_colour(form), yellow);
  move_over(label(form, "Label8"));
  EXPECT_EQ(link_colour(form), blue);
  for (const char* elsewhere : {"Label1", "Label3", "Label5"}) {
    move_over(label(form, elsewhere));
    EXPECT_EQ(link_colour(form), blue) << elsewhere;
  }
  move_over(label(form, "Label7"));
  EXPECT_EQ(link_colour(form), yellow);
  move_over(label(form, "Label8"));
  move_over(label(form, "Picture1"));
  EXPECT_EQ(link_colour(form), yellow);
}

TEST(AboutWindow, LeftClickOnTheLinkOpensTheWebAddress) {
  QWidget window;
  std::vector<QUrl> opened;
  Form1 form(&window, [&](const QUrl& url) { opened.push_back(url); });
  form.show();
  QLabel& link = label(form, "Label8");
  release_on(link, QPointF(2, 2), Qt::RightButton);
  release_on(link, QPointF(-5, -5), Qt::LeftButton);  // pressed on it, released outside
  release_on(label(form, "Label7"), QPointF(2, 2), Qt::LeftButton);
  EXPECT_TRUE(opened.empty());
  release_on(link, QPointF(2, 2), Qt::LeftButton);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].toString().toStdString(), kWebAddress);
  EXPECT_NE(link.text().indexOf(QUrl(QString::fromLatin1(kWebAddress)).host()), -1);
}

}  // namespace
}  // namespace korvath
