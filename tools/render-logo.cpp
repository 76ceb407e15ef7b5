// Renders the logo's vector image into the PNG files the window shows, at build time, so that the
// program itself needs no SVG renderer and draws its Start page sooner.
//   render-logo SVG WIDTH HEIGHT SCALE OUT.png [SCALE OUT.png]...

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 6 || args.size() % 2 != 0) {
        std::fputs("usage: render-logo SVG WIDTH HEIGHT SCALE OUT.png [SCALE OUT.png]...\n", stderr);
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
        if (!image.save(args[i + 1], "PNG")) {
            std::fprintf(stderr, "render-logo: cannot write %s\n", qPrintable(args[i + 1]));
            return 1;
        }
    }
    return 0;
}
