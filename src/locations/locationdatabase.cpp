#include "locations/locationdatabase.h"

#include "matchfile/encoding.h"

#include <QDir>
#include <QFile>

namespace quenbury::locations {

QStringList splitDatabaseLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start).toString());
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start).toString());
    return lines;
}

DatabaseReadResult readLocationDatabase(const QString& path) {
    DatabaseReadResult result;
    const auto fail = [&](const QString& reason) {
        result.error = QStringLiteral("The location database \u201C%1\u201D could not be loaded: %2.")
                           .arg(QDir::toNativeSeparators(path), reason);
        return result;
    };

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    const QString readError = file.errorString();
    file.close();
    if (readFailed)
        return fail(readError);
    if (bytes.contains('\0'))
        return fail(QStringLiteral("it holds NUL bytes, so it is not a text file"));

    result.database.byteLength = bytes.size();
    result.database.text = matchfile::fromWindows1252(bytes);
    result.database.lines = splitDatabaseLines(result.database.text);
    return result;
}

qsizetype firstLineContaining(const QStringList& lines, QStringView needle) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(needle))
            return i;
    }
    return -1;
}

QString defaultDatabaseFolder(const QString& applicationDir) {
    return QDir::cleanPath(applicationDir + QStringLiteral("/../share/quenbury"));
}

} // namespace quenbury::locations
