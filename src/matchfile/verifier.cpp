#include "matchfile/verifier.h"

#include "matchfile/format.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quenbury::matchfile {

namespace {

void quoteExcerpt(VerifyResult& r, QStringView excerpt) {
    r.excerptAt = r.StatusText.size();
    r.excerptLength = excerpt.size();
    r.StatusText += excerpt;
}

// Appends the findings in their fixed order. They follow one another with nothing in between but
// their own characters, so "too many lines" runs straight into a following finding.
void ReportFileErrors(VerifyResult& r, QStringView text, qsizetype stopIndex) {
    if (r.tooManyLines)
        r.StatusText += u"**FILE TOO LONG\r\nEXCEEDS 2000 LINES\r\n-Shorten File and Reverify!"_s;
    if (r.endMarkMissing)
        r.StatusText += u"\r\n**No End Of File Detected\r\n- EOFEOF*\r\n"_s;
    if (r.LongLineFlag == 1) {
        // The run has just reached 33, so a full excerpt always precedes the stop.
        r.StatusText += u"**Line too Long-\r\nShorten Line Number: "_s;
        r.StatusText += QString::number(r.LineCount + 1);
        r.StatusText += LineEnd;
        quoteExcerpt(r, text.mid(stopIndex - ExcerptLength, ExcerptLength));
        r.StatusText += u"\r\nLength= "_s;
        r.StatusText += QString::number(r.RunLength);
    }
    if (r.AsteriskFlag == 1) {
        const qsizetype from = std::max<qsizetype>(0, stopIndex - ExcerptLength);
        r.StatusText += u"**Asterisk Missing\r\nor there is a blank line at:\r\nLine "_s;
        r.StatusText += QString::number(r.LineCount);
        r.StatusText += LineEnd;
        quoteExcerpt(r, text.mid(from, stopIndex - from));
    }
}

} // namespace

VerifyResult verify(QStringView text) {
    VerifyResult r;
    r.CharCount = qint32(text.size());
    r.StatusText = u"Number of Characters: "_s + QString::number(r.CharCount);

    // The scan stops at the first run that is too long or the first carriage return that no
    // asterisk precedes; what lies beyond is not looked at, and not counted.
    qsizetype stopIndex = -1;
    int run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r')
            ++r.LineCount;
        run = c == u'*' ? 0 : run + 1;
        if (run > RunLimit) {
            r.LongLineFlag = 1;
            stopIndex = i;
            break;
        }
        if (c == u'\r' && (i == 0 || text[i - 1] != u'*')) {
            r.AsteriskFlag = 1;
            stopIndex = i;
            break;
        }
    }
    r.RunLength = qint16(run);
    if (stopIndex >= 0)
        ++r.ErrorCount;

    r.tooManyLines = r.LineCount >= LineCountLimit;
    if (r.tooManyLines)
        ++r.ErrorCount;
    r.endMarkMissing = !text.contains(EndMark);
    if (r.endMarkMissing)
        ++r.ErrorCount;

    r.StatusText += u"\r\nNumber of Lines:"_s;
    r.StatusText += QString::number(r.LineCount);
    r.StatusText += LineEnd;
    if (r.ErrorCount >= 1)
        ReportFileErrors(r, text, stopIndex);
    r.StatusText += u"\r\nNumber of Errors: "_s;
    r.StatusText += QString::number(r.ErrorCount);
    return r;
}

} // namespace quenbury::matchfile
