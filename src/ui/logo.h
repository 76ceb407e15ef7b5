#pragma once

#include <QPixmap>

namespace quenbury::ui {

inline constexpr int LogoWidth = 189;
inline constexpr int LogoHeight = 170;

// The program's logo, drawn from its embedded vector image at the given device pixel ratio.
QPixmap logoPixmap(qreal devicePixelRatio = 1.0);

// Resource path of the logo, also used as the window icon.
QString logoResourcePath();

} // namespace quenbury::ui
