// Renders the logo's vector image into the pixels the window shows, at build time, so that the
// program itself needs no SVG renderer and draws its Start page sooner. Each file holds the bare
// premultiplied ARGB32 pixels, row after row, in this machine's byte order: the window shows them
// as they are, with nothing to decode.
//   render-logo SVG WIDTH HEIGHT SCALE OUT.argb [SCALE OUT.argb]...

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 6 || args.size() % 2 != 0) {
        std::fputs("usage: render-logo SVG WIDTH HEIGHT SCALE OUT.argb [SCALE OUT.argb]...\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render-logo: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    const QSizeF size(args[2].toDouble(), args[3].toDouble());
    for (qsizetype i = 4; i + 1 < args.size(); i += 2) {
        const qreal scale = args[i].toDouble();
        QImage image((size * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), size * scale));
        painter.end();
        QFile out(args[i + 1]);
        const auto bytes = qsizetype(image.sizeInBytes());
        const bool written = out.open(QIODevice::WriteOnly) &&
                             out.write(reinterpret_cast<const char*>(image.constBits()), bytes) == bytes;
        if (!written) {
            std::fprintf(stderr, "render-logo: cannot write %s\n", qPrintable(args[i + 1]));
            return 1;
        }
    }
    return 0;
}
