// quenbury-verify: checks match files against the receivers' format rules without the window,
// with the same verifier and the same report as the Create File page.

#include "matchfile/encoding.h"
#include "matchfile/verifier.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

enum ExitStatus { AllClean = 0, FoundErrors = 1, Unreadable = 2 };

void print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

QString usage() {
    return QStringLiteral(
        "Usage: quenbury-verify FILE...\n"
        "Checks Brisvane match files against the receivers' format rules and prints the report\n"
        "that Quenbury's Create File page shows for each file.\n"
        "\n"
        "Each file is read as Windows-1252 bytes. With several files, each report follows a line\n"
        "\"==> FILE <==\".\n"
        "\n"
        "Exit status: 0 when every file is clean, 1 when any file has errors,\n"
        "2 when a file cannot be read (the other files are still checked).\n"
        "\n"
        "  -h, --help     show this help and exit\n"
        "  -V, --version  show the version and exit\n");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList files = QCoreApplication::arguments().mid(1);

    if (files.contains(QStringLiteral("--help")) || files.contains(QStringLiteral("-h"))) {
        print(stdout, usage());
        return AllClean;
    }
    if (files.contains(QStringLiteral("--version")) || files.contains(QStringLiteral("-V"))) {
        print(stdout, QStringLiteral("quenbury-verify " QUENBURY_VERSION "\n"));
        return AllClean;
    }
    if (files.size() > 0 && files.first() == QStringLiteral("--"))
        files.removeFirst();
    if (files.isEmpty()) {
        print(stderr, QStringLiteral("quenbury-verify: no file given\nTry 'quenbury-verify --help'.\n"));
        return Unreadable;
    }

    bool anyErrors = false;
    bool anyUnreadable = false;
    bool first = true;
    for (const QString& path : files) {
        QFile file(path);
        QByteArray bytes;
        bool readable = file.open(QIODevice::ReadOnly);
        if (readable) {
            bytes = file.readAll();
            readable = file.error() == QFileDevice::NoError;
        }
        if (!readable) {
            print(stderr, QStringLiteral("quenbury-verify: %1: %2\n").arg(path, file.errorString()));
            anyUnreadable = true;
            continue;
        }

        const quenbury::matchfile::VerifyResult result =
            quenbury::matchfile::verify(quenbury::matchfile::fromWindows1252(bytes));
        anyErrors = anyErrors || !result.isClean();

        QString report = result.StatusText;
        report.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (files.size() > 1)
            print(stdout,
                  QStringLiteral("%1==> %2 <==\n").arg(first ? QString() : QStringLiteral("\n"), path));
        print(stdout, report + u'\n');
        first = false;
    }
    if (anyUnreadable)
        return Unreadable;
    return anyErrors ? FoundErrors : AllClean;
}
