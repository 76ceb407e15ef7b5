#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// One row of a table file, and where it stands there, for the messages of the test that reads it.
struct TableRow {
    QStringList fields;
    QString where; // "FILE:LINE: ROW"
};

// Reads a table file from the test's data folder: lines starting with "#" and blank lines are
// skipped, and every other line is a row of `count` fields split at `separator`. A row of any other
// count fails the test with the file, line number and row, and is left out, so that the test's own
// count of its rows fails too.
inline QList<TableRow> readTable(const QString& name, const QString& separator, qsizetype count) {
    QFile file(QStringLiteral(QUENBURY_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        QTest::qFail(qPrintable(file.fileName() + QStringLiteral(": unreadable")), __FILE__, __LINE__);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    QList<TableRow> rows;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty() || lines[i].startsWith(u'#'))
            continue;
        TableRow row{lines[i].split(separator), file.fileName()};
        row.where += QStringLiteral(":%1: %2").arg(i + 1).arg(lines[i]);
        if (row.fields.size() == count)
            rows.append(row);
        else
            QTest::qFail(qPrintable(row.where), __FILE__, __LINE__);
    }
    return rows;
}

// A field's escapes: "{unit}*N" for a unit written N times, "\r" and "\n" for the line ends, and then
// "\xHH" for the character of that code (a byte, once made Latin-1), a backslash ("\x5C") too.
inline QString unescaped(QString s) {
    static const QRegularExpression repeat(QStringLiteral("\\{([^{}]*)\\}\\*(\\d+)"));
    for (QRegularExpressionMatch m = repeat.match(s); m.hasMatch(); m = repeat.match(s))
        s.replace(m.capturedStart(), m.capturedLength(), m.captured(1).repeated(m.captured(2).toInt()));
    s.replace(QStringLiteral("\\r"), QStringLiteral("\r"));
    s.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    static const QRegularExpression code(QStringLiteral("\\\\x([0-9A-F]{2})"));
    for (QRegularExpressionMatch m = code.match(s); m.hasMatch(); m = code.match(s, m.capturedStart() + 1))
        s.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toUShort(nullptr, 16)));
    return s;
}
