#include "locations/locationdatabase.h"
#include "matchfile/savefile.h"
#include "ui/allocator.h"
#include "ui/mainwindow.h"
#include "ui/qtplatform.h"
#include "ui/style.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Qt aborts with a long message when no display can be reached. Without one, say in one sentence
// what to do instead. Only the X11 and Wayland platforms need a display server.
bool displayMissing() {
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    const QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platforms.isEmpty())
        return true;
    // A list such as "wayland;xcb" needs a display only if every entry does.
    for (const QString& entry : platforms.split(u';', Qt::SkipEmptyParts)) {
        const QString name = entry.section(u':', 0, 0).trimmed();
        if (name != u"xcb"_s && !name.startsWith(u"wayland"_s))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (displayMissing()) {
        std::fputs("quenbury: no display found; start it from a desktop session, or run it under a virtual "
                   "display with `xvfb-run quenbury`.\n",
                   stderr);
        return 1;
    }

    quenbury::ui::keepLargeTextsOutOfTheHeap();
    // A save past the file size limit then fails with a message, and the window's work stays.
    quenbury::matchfile::ignoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"quenbury"_s); // also the X11 window class the menu entry expects
    // Wayland matches the window to its menu entry (and icon) by this name.
    QGuiApplication::setDesktopFileName(u"org.corvanta.quenbury"_s);
    QApplication::setApplicationVersion(QStringLiteral(QUENBURY_VERSION));
    quenbury::ui::installStyle();

    const QString databaseFolder =
        quenbury::locations::defaultDatabaseFolder(QCoreApplication::applicationDirPath());
    quenbury::ui::QtPlatform platform;
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Builds the match file for Brisvane weather-alert receivers."_s);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(u"FILE"_s, u"A match file to open on the Create File page."_s, u"[FILE]"_s);
    parser.process(app);
    const QStringList files = parser.positionalArguments();

    quenbury::ui::MainWindow window(platform, databaseFolder,
                                    quenbury::ui::MainWindow::LaterPages::AfterShow);
    platform.setWindow(&window);
    window.show();
    if (!files.isEmpty()) // once the window is on screen, so that a refusal's message has it
        QMetaObject::invokeMethod(
            &window, [&window, &files] { window.openAtStart(files.first()); }, Qt::QueuedConnection);
    return app.exec();
}
