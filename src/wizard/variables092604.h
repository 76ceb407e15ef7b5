#pragma once

#include <QString>

namespace quenbury::wizard {

// The values the wizard remembers between two clicks, beside the controls' own state. Every text
// starts empty and every number at 0. Scratch values that live only inside one handler (the line
// under test, the scan position) are locals of that handler instead.
struct Variables092604 {
    QString FileText; // the match file being built, lines ended by CR LF
    QString DatabaseLength;
    QString OrgBlock;
    QString EventBlock1;
    QString EventBlock2;
    QString EventBlock3;
    QString StateBlock1;
    QString StateBlock2;
    QString StateBlock3;
    QString DatabaseText;
    QString LocationAreaLine;
    QString TranslationAreaLine;
    qint32 LineCount = 0;
    qint32 CharCount = 0;
    QString StatusText;
    qint16 ErrorCount = 0;
    qint16 RunLength = 0;
    qint16 LongLineFlag = 0;
    qint16 AsteriskFlag = 0;
};

} // namespace quenbury::wizard
