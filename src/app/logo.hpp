// The product's logo and window icon, drawn in code: a horizontal circle graduated in grads
// with a sight line, beside the program's name.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace korvath {

inline constexpr int kLogoWidth = 449;
inline constexpr int kLogoHeight = 75;

/// The about window's logo, kLogoWidth x kLogoHeight pixels.
QPixmap draw_logo();
/// The circle alone, as the window's icon.
QIcon draw_icon();

}  // namespace korvath
