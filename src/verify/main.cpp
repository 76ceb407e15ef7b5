// quenbury-verify: checks match files against the receivers' format rules without the window,
// with the same verifier and the same report as the Create File page.

#include "matchfile/encoding.h"
#include "matchfile/lineends.h"
#include "matchfile/readfile.h"
#include "matchfile/savefile.h"
#include "matchfile/terminal.h"
#include "matchfile/verifier.h"
#include "sections/sectioncheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using quenbury::matchfile::escapeForTerminal;
using quenbury::matchfile::LineFeeds;

namespace {

enum ExitStatus { AllClean = 0, FoundErrors = 1, Unreadable = 2 };

// The system's reason for the first write to standard output that failed, or 0.
int outputError = 0;

void print(FILE* stream, const QByteArray& bytes) {
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) != size_t(bytes.size()) &&
        stream == stdout && outputError == 0)
        outputError = errno;
}

// Standard output is buffered: a full disk or a closed output shows only when it is flushed.
bool outputWritten() {
    if (std::fflush(stdout) != 0 && outputError == 0)
        outputError = errno;
    return outputError == 0 && !std::ferror(stdout);
}

void print(FILE* stream, const QString& text) {
    print(stream, text.toLocal8Bit());
}

// On a terminal, a file name or an excerpt of a file could clear the screen or set the title, so
// control characters are shown escaped there; into a pipe or a file the bytes go unchanged.
QByteArray shown(FILE* stream, const QByteArray& bytes, LineFeeds lineFeeds = LineFeeds::Escaped) {
    if (!::isatty(::fileno(stream)))
        return bytes;
    return escapeForTerminal(bytes, lineFeeds);
}

QByteArray shown(FILE* stream, const QString& text, LineFeeds lineFeeds = LineFeeds::Escaped) {
    return shown(stream, text.toLocal8Bit(), lineFeeds);
}

// The report with LF line ends. On a terminal the characters quoted from the file are escaped whole,
// line feeds and carriage returns too, so that no line of a file passes for a line of the report; the
// report's own line ends stay line ends.
QByteArray reportShown(const QString& report, qsizetype excerptAt, qsizetype excerptLength) {
    const auto withLf = [](QString part) {
        return part.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    };
    if (!::isatty(::fileno(stdout)))
        return withLf(report).toLocal8Bit();
    return shown(stdout, withLf(report.first(excerptAt)), LineFeeds::Kept) +
           shown(stdout, report.sliced(excerptAt, excerptLength)) +
           shown(stdout, withLf(report.sliced(excerptAt + excerptLength)), LineFeeds::Kept);
}

// Whether everything meant for standard output reached it; if not, says so, naming what was lost.
bool written(const QString& what) {
    if (outputWritten())
        return true;
    print(stderr, QStringLiteral("quenbury-verify: %1 could not be written: %2\n")
                      .arg(what, qt_error_string(outputError)));
    return false;
}

QString usage() {
    return QStringLiteral(
        "Usage: quenbury-verify FILE...\n"
        "Checks Brisvane match files against the receivers' format rules and prints the report\n"
        "that Quenbury's Create File page shows for each file.\n"
        "\n"
        "Each file is read as Windows-1252 bytes. With several files, each report follows a line\n"
        "\"==> FILE <==\". A file whose lines do not all end with CR LF gets one more finding after\n"
        "its report, and then every way it departs from the sections the wizard writes (lines after the\n"
        "end mark, a marker missing or out of place, the translation header changed or twice, an\n"
        "unknown or repeated event, a location line repeated or without its code, a character\n"
        "Windows-1252 cannot hold). Every argument after \"--\" is a file.\n"
        "\n"
        "Exit status: 0 when every file has nothing to report, 1 when any file has errors or findings,\n"
        "2 when a file cannot be read, an option is unknown or the report cannot be written\n"
        "(the other files are still checked).\n"
        "\n"
        "  -h, --help     show this help and exit\n"
        "  -V, --version  show the version and exit\n");
}

// The file names exactly as the shell passed them: a name that is not UTF-8 does not survive the
// trip through QString. The parser keeps its file arguments in order, so each is matched to the next
// argument that reads the same; options are ASCII and so never stand for a name that is not.
QList<QByteArray> fileArguments(const QStringList& positional, int argc, char* argv[]) {
    QList<QByteArray> files;
    int next = 1;
    for (const QString& name : positional) {
        while (next < argc && QFile::decodeName(argv[next]) != name)
            ++next;
        files.append(next < argc ? QByteArray(argv[next++]) : QFile::encodeName(name));
    }
    return files;
}

} // namespace

int main(int argc, char* argv[]) {
    // A closed standard output would be the next descriptor opened (Qt's event notifier takes one at
    // once), and the report would go into that. Hold each closed standard place with a descriptor that
    // refuses writes, so that writing the report fails as it should.
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF && ::open("/dev/null", O_RDONLY) != fd)
            return Unreadable;
    }
    // Past the file size limit, writing the report fails with a message instead of ending the program.
    quenbury::matchfile::ignoreFileSizeSignal();
    QCoreApplication app(argc, argv);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));

    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("V"), QStringLiteral("version")});
    parser.addOptions({help, version});
    parser.addPositionalArgument(QStringLiteral("FILE"), QString(), QStringLiteral("FILE..."));
    if (!parser.parse(arguments)) {
        print(stderr,
              "quenbury-verify: " + shown(stderr, parser.errorText()) + "\nTry 'quenbury-verify --help'.\n");
        return Unreadable;
    }
    if (parser.isSet(help)) {
        print(stdout, usage());
        return written(QStringLiteral("the help")) ? AllClean : Unreadable;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("quenbury-verify " QUENBURY_VERSION "\n"));
        return written(QStringLiteral("the version")) ? AllClean : Unreadable;
    }
    const QList<QByteArray> files = fileArguments(parser.positionalArguments(), argc, argv);
    if (files.isEmpty()) {
        print(stderr, QStringLiteral("quenbury-verify: no file given\nTry 'quenbury-verify --help'.\n"));
        return Unreadable;
    }

    bool anyErrors = false;
    bool anyUnreadable = false;
    bool first = true;
    for (const QByteArray& path : files) {
        const quenbury::matchfile::UserFileBytes read = quenbury::matchfile::readUserFile(path);
        const std::optional<QString> text =
            read.error ? std::nullopt : quenbury::matchfile::decodeWindows1252(read.bytes);
        if (!text) {
            print(stderr, "quenbury-verify: " + shown(stderr, path) + ": " +
                              read.error.value_or(QStringLiteral("it could not be read as Windows-1252 text"))
                                  .toLocal8Bit() +
                              '\n');
            anyUnreadable = true;
            continue;
        }

        const quenbury::matchfile::VerifyResult result = quenbury::matchfile::verify(*text);
        QString report = result.StatusText;
        // After the report, which stays as the window shows it: the receivers need CR LF.
        const auto foreignEnds = quenbury::matchfile::findForeignLineEnds(*text);
        if (foreignEnds)
            report += QStringLiteral("\r\n") + foreignEnds->finding();
        // Then where the text departs from the sections the wizard writes, as the window shows it.
        const quenbury::sections::SectionCheck structure = quenbury::sections::checkSections(*text);
        report += structure.report();
        anyErrors = anyErrors || !result.isClean() || foreignEnds || !structure.findings.isEmpty();

        if (files.size() > 1)
            print(stdout, QByteArray(first ? "" : "\n") + "==> " + shown(stdout, path) + " <==\n");
        print(stdout, reportShown(report, result.excerptAt, result.excerptLength) + '\n');
        first = false;
    }
    if (!written(QStringLiteral("the report")))
        return Unreadable;
    if (anyUnreadable)
        return Unreadable;
    return anyErrors ? FoundErrors : AllClean;
}
