#pragma once

#include <QString>
#include <QStringView>

namespace quenbury::matchfile {

// The outcome of one verification: the counters the Create File page keeps and the report it shows.
struct VerifyResult {
    qint32 CharCount = 0;
    qint32 LineCount = 0;  // carriage returns counted up to where the scan stopped
    qint16 ErrorCount = 0; // at most 3: too many lines, one scan stop, no end mark
    qint16 RunLength = 0;  // characters since the last asterisk when the scan ended
    qint16 LongLineFlag = 0;
    qint16 AsteriskFlag = 0;
    bool tooManyLines = false;
    bool endMarkMissing = false;
    QString StatusText; // the report, lines ended by CR LF
    // Where the characters quoted from the text stand in the report: they may hold line ends of their
    // own, which a terminal must not take for the report's. Empty when the report quotes nothing.
    qsizetype excerptAt = 0;
    qsizetype excerptLength = 0;

    bool isClean() const { return ErrorCount == 0; }
};

// Scans a match file's text against the receivers' format rules and writes the report.
// The scan stops at the first run longer than the limit or the first carriage return not
// preceded by an asterisk; everything before that point is counted.
VerifyResult verify(QStringView text);

} // namespace quenbury::matchfile
