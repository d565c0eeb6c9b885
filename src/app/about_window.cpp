#include "app/about_window.hpp"

#include <QDesktopServices>
#include <QEvent>
#include <QMouseEvent>
#include <QPalette>

#include "app/fonts.hpp"
#include "app/logo.hpp"
#include "flow/version.hpp"
#include "platform/qt/qt_text.hpp"

namespace korvath {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kNightBackground(12, 16, 24);  // white, yellow and red all read well on it
const QColor kCardBackground(232, 228, 216);

void set_colour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, colour);
  widget.setPalette(palette);
}

void style_label(QLabel& label, const char* name, const QString& text, double point_size,
                 const QColor& colour, Qt::Alignment alignment) {
  label.setObjectName(QString::fromLatin1(name));
  label.setText(text);
  label.setFont(verdana(point_size, true));
  set_colour(label, QPalette::WindowText, colour);
  label.setAlignment(alignment | Qt::AlignVCenter);
}

}  // namespace

void open_in_browser(const QUrl& address) {
  QDesktopServices::openUrl(address);
}

Form1::Form1(QWidget* parent, LinkOpener open_link)
    : QDialog(parent),
      open_link_(std::move(open_link)),
      layout_(this),
      card_layout_(&address_card_) {
  setWindowTitle(QStringLiteral("ΒΟΗΘΕΙΑ"));
  setModal(true);
  set_colour(*this, QPalette::Window, kNightBackground);
  setAutoFillBackground(true);

  picture1_.setObjectName(QStringLiteral("Picture1"));
  picture1_.setPixmap(draw_logo());
  picture1_.setFixedSize(kLogoWidth, kLogoHeight);

  style_label(label1_, "Label1", QStringLiteral("K O R V A T H"), 11.25, kWhite, Qt::AlignHCenter);
  style_label(label2_, "Label2", QStringLiteral("Μετατροπή αρχείων γεωδαιτικών σταθμών"), 11.25,
              kWhite, Qt::AlignHCenter);
  style_label(label3_, "Label3", QStringLiteral("έκδοση ") + qs(kVersion), 9.75, kWhite,
              Qt::AlignHCenter);
  style_label(label4_, "Label4", QStringLiteral("Οδός Παραδείγματος 12"), 8.25, kBlack,
              Qt::AlignRight);
  style_label(label5_, "Label5", QStringLiteral("000 00 Παράδειγμα"), 8.25, kBlack, Qt::AlignRight);
  style_label(label6_, "Label6", QStringLiteral("Τηλ.: 000 0000000 · Fax: 000 0000001"), 8.25,
              kBlack, Qt::AlignRight);
  style_label(label7_, "Label7", QStringLiteral("e-mail: info@example.com"), 8.25, kRed,
              Qt::AlignHCenter);
  style_label(label8_, "Label8", QStringLiteral("www.example.com/korvath"), 9.75, kYellow,
              Qt::AlignHCenter);
  label8_.setCursor(Qt::PointingHandCursor);

  address_card_.setAutoFillBackground(true);
  set_colour(address_card_, QPalette::Window, kCardBackground);
  card_layout_.setContentsMargins(12, 8, 12, 8);
  card_layout_.setSpacing(2);
  for (QLabel* line : {&label4_, &label5_, &label6_}) card_layout_.addWidget(line);

  layout_.setSizeConstraint(QLayout::SetFixedSize);
  layout_.setContentsMargins(16, 16, 16, 16);
  layout_.setSpacing(6);
  layout_.addWidget(&picture1_);
  for (QLabel* line : {&label1_, &label2_, &label3_}) layout_.addWidget(line);
  layout_.addSpacing(6);
  layout_.addWidget(&address_card_);
  layout_.addSpacing(4);
  layout_.addWidget(&label7_);
  layout_.addWidget(&label8_);

  for (QLabel* hovered : {&label7_, &label8_, &picture1_}) {
    hovered->setMouseTracking(true);
    hovered->installEventFilter(this);
  }
}

void Form1::set_link_colour(const QColor& colour) {
  set_colour(label8_, QPalette::WindowText, colour);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (watched == &label8_) set_link_colour(kBlue);
    if (watched == &label7_ || watched == &picture1_) set_link_colour(kYellow);
  } else if (event->type() == QEvent::MouseButtonRelease && watched == &label8_) {
    const auto* click = static_cast<const QMouseEvent*>(event);
    if (click->button() == Qt::LeftButton && label8_.rect().contains(click->position().toPoint()))
      open_link_(QUrl(QString::fromLatin1(kWebAddress)));
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace korvath
