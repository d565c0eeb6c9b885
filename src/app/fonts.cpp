#include "app/fonts.hpp"

#include <QStringList>

namespace korvath {

QFont verdana(double point_size, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                    QStringLiteral("Noto Sans"), QStringLiteral("Liberation Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(point_size);
  font.setBold(bold);
  return font;
}

}  // namespace korvath
