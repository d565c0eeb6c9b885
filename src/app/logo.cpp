#include "app/logo.hpp"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <cmath>
#include <numbers>

#include "app/fonts.hpp"

namespace korvath {
namespace {

const QColor kNight(15, 33, 56);
const QColor kSea(29, 78, 95);
const QColor kGold(242, 193, 78);
const QColor kMist(200, 222, 232);

// A direction in grads (clockwise from north, as an instrument reads) as a point on a circle.
QPointF on_circle(QPointF centre, double radius, double grads) {
  const double radians = grads * std::numbers::pi / 200.0;
  return {centre.x() + radius * std::sin(radians), centre.y() - radius * std::cos(radians)};
}

// The horizontal circle: a tick every 10 grads, long ones at the quadrants, and a sight line
// at 50 grads to a target triangle.
void draw_circle(QPainter& p, const QRectF& square) {
  const QPointF centre = square.center();
  const double radius = square.width() / 2 - square.width() / 16;
  const double scale = square.width() / 64;
  p.setBrush(kNight);
  p.setPen(QPen(kGold, 2.5 * scale));
  p.drawEllipse(centre, radius, radius);
  for (int grads = 0; grads < 400; grads += 10) {
    const double inner = grads % 100 == 0 ? radius * 0.62 : radius * 0.82;
    p.setPen(QPen(grads % 100 == 0 ? kGold : kMist, (grads % 100 == 0 ? 2.0 : 1.0) * scale));
    p.drawLine(on_circle(centre, inner, grads), on_circle(centre, radius, grads));
  }
  const QPointF target = on_circle(centre, radius * 0.55, 50);
  p.setPen(QPen(Qt::white, 1.5 * scale));
  p.drawLine(centre, target);
  QPainterPath triangle;
  triangle.moveTo(target + QPointF(0, -4 * scale));
  triangle.lineTo(target + QPointF(3.5 * scale, 2.5 * scale));
  triangle.lineTo(target + QPointF(-3.5 * scale, 2.5 * scale));
  triangle.closeSubpath();
  p.fillPath(triangle, kGold);
  p.setBrush(Qt::white);
  p.drawEllipse(centre, 1.8 * scale, 1.8 * scale);
}

// A faint traverse of stations right of the name.
void draw_traverse(QPainter& p) {
  const QPointF stations[] = {{346, 60}, {370, 30}, {398, 52}, {420, 18}, {442, 40}};
  p.setPen(QPen(QColor(255, 255, 255, 45), 1.2));
  p.drawPolyline(stations, static_cast<int>(std::size(stations)));
  p.setBrush(QColor(242, 193, 78, 90));
  for (const QPointF& station : stations) p.drawEllipse(station, 2.5, 2.5);
}

}  // namespace

QPixmap draw_logo() {
  QPixmap logo(kLogoWidth, kLogoHeight);
  QPainter p(&logo);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, kLogoWidth, 0);
  sky.setColorAt(0, kNight);
  sky.setColorAt(1, kSea);
  p.fillRect(logo.rect(), sky);
  draw_traverse(p);
  draw_circle(p, QRectF(8, 5.5, 64, 64));

  QFont name = verdana(24, true);
  name.setLetterSpacing(QFont::PercentageSpacing, 118);
  p.setFont(name);
  p.setPen(Qt::white);
  p.drawText(QRectF(88, 6, 350, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("KORVATH"));
  p.fillRect(QRectF(90, 46, 180, 2), kGold);
  p.setFont(verdana(8.5, false));
  p.setPen(kMist);
  p.drawText(QRectF(90, 50, 350, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("μετρήσεις σταθμών · αρχεία txm και seq"));
  return logo;
}

QIcon draw_icon() {
  QIcon icon;
  for (const int size : {16, 32, 64, 128}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw_circle(p, QRectF(0, 0, size, size));
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace korvath
