#pragma once

#include <QFile>
#include <QString>

// The worked Brisvane 100 file: TOR for all of Alabama, nine lines, 101 bytes.
inline const QByteArray nineLineBytes = "#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"
                                        "001000EntireArea*\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n";
inline const QString nineLines = QString::fromLatin1(nineLineBytes);
inline const QString closingLines = QStringLiteral("YYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n");

// Puts `bytes` at `path`; returns the path, or an empty one when that failed.
inline QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
