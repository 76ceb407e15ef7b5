#include "ui/logo.h"

using namespace Qt::StringLiterals;

namespace quenbury::ui {

QPixmap logoPixmap(qreal devicePixelRatio) {
    // Drawn at build time at one and two device pixels per pixel; other ratios scale the nearer.
    const bool sharp = devicePixelRatio > 1.25;
    QPixmap pixmap(sharp ? u":/quenbury/logo@2x.png"_s : u":/quenbury/logo.png"_s);
    const QSize wanted(qRound(LogoWidth * devicePixelRatio), qRound(LogoHeight * devicePixelRatio));
    if (pixmap.size() != wanted)
        pixmap = pixmap.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace quenbury::ui
