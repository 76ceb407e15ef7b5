#include "ui/logo.h"

#include <QPainter>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

QString logoResourcePath() {
    return u":/quenbury/quenbury.svg"_s;
}

QPixmap logoPixmap(qreal devicePixelRatio) {
    QPixmap pixmap(qRound(LogoWidth * devicePixelRatio), qRound(LogoHeight * devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(logoResourcePath());
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, LogoWidth, LogoHeight));
    return pixmap;
}

} // namespace quenbury::ui
