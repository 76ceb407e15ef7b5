#include "ui/logo.h"

#include <QImage>
#include <QResource>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

QPixmap logoPixmap(qreal devicePixelRatio) {
    // Drawn at build time at one and two device pixels per pixel; other ratios scale the nearer. The
    // pixels are stored bare, uncompressed: a PNG took the Start page a millisecond to decode.
    const int scale = devicePixelRatio > 1.25 ? 2 : 1;
    const QResource resource(scale == 2 ? u":/quenbury/logo@2x.argb"_s : u":/quenbury/logo.argb"_s);
    const QByteArray pixels = resource.uncompressedData(); // the resource's own bytes: nothing is copied
    const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), LogoWidth * scale,
                       LogoHeight * scale, QImage::Format_ARGB32_Premultiplied);
    QPixmap pixmap = QPixmap::fromImage(image);
    const QSize wanted(qRound(LogoWidth * devicePixelRatio), qRound(LogoHeight * devicePixelRatio));
    if (pixmap.size() != wanted)
        pixmap = pixmap.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace quenbury::ui
