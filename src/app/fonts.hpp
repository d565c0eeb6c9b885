// The typeface of the about window and the logo: Verdana where installed, else a sans-serif
// that has the Greek letters.
#pragma once

#include <QFont>

namespace korvath {

QFont verdana(double point_size, bool bold);

}  // namespace korvath
