#pragma once

#include <QPixmap>

namespace quenbury::ui {

inline constexpr int LogoWidth = 189;
inline constexpr int LogoHeight = 170;

// The program's logo for the given device pixel ratio, LogoWidth x LogoHeight pixels on screen.
QPixmap logoPixmap(qreal devicePixelRatio = 1.0);

} // namespace quenbury::ui
