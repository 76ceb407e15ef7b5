#include "matchfile/verifier.h"

#include "matchfile/format.h"

#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

using namespace Qt::StringLiterals;

namespace quenbury::matchfile {

namespace {

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
        r.StatusText += text.mid(stopIndex - ExcerptLength, ExcerptLength);
        r.StatusText += u"\r\nLength= "_s;
        r.StatusText += QString::number(r.RunLength);
    }
    if (r.AsteriskFlag == 1) {
        const qsizetype from = std::max<qsizetype>(0, stopIndex - ExcerptLength);
        r.StatusText += u"**Asterisk Missing\r\nor there is a blank line at:\r\nLine "_s;
        r.StatusText += QString::number(r.LineCount);
        r.StatusText += LineEnd;
        r.StatusText += text.mid(from, stopIndex - from);
    }
}

} // namespace

namespace {

// Where a scan stands: the next character to look at, the characters since the last asterisk and
// the carriage returns counted so far.
struct ScanState {
    qsizetype index = 0;
    int run = 0;
    qint32 lines = 0;
};

#ifdef __SSE2__
// Skips whole blocks of 64 characters in which no finding can stop the scan, with the same counts
// as the character loop below would reach. A large file is mostly such blocks, so verifying costs
// little more than reading it once. Stops in front of the first block that needs a closer look.
void skipCleanBlocks(const char16_t* data, qsizetype size, ScanState& s) {
    const __m128i asterisk = _mm_set1_epi16(u'*');
    const __m128i carriageReturn = _mm_set1_epi16(u'\r');
    quint64 asteriskBefore = 0; // the character before the block is an asterisk
    while (s.index + 64 <= size) {
        quint64 stars = 0;
        quint64 returns = 0;
        for (int k = 0; k < 4; ++k) {
            const auto* p = reinterpret_cast<const __m128i*>(data + s.index + 16 * k);
            const __m128i a = _mm_loadu_si128(p);
            const __m128i b = _mm_loadu_si128(p + 1);
            const auto mask = [](__m128i x, __m128i y) {
                return quint64(quint16(_mm_movemask_epi8(_mm_packs_epi16(x, y))));
            };
            stars |= mask(_mm_cmpeq_epi16(a, asterisk), _mm_cmpeq_epi16(b, asterisk)) << (16 * k);
            returns |= mask(_mm_cmpeq_epi16(a, carriageReturn), _mm_cmpeq_epi16(b, carriageReturn))
                       << (16 * k);
        }
        // Every carriage return must directly follow an asterisk.
        if (returns & ~((stars << 1) | asteriskBefore))
            return;
        // No 33 characters in a row without an asterisk: neither the run carried into the block
        // and its leading part, nor any stretch inside it.
        const quint64 others = ~stars;
        if (s.run + std::countr_zero(stars) > RunLimit)
            return;
        quint64 runs = others & (others >> 1); // bit i: i and i+1 are both not asterisks
        runs &= runs >> 2;
        runs &= runs >> 4;
        runs &= runs >> 8;
        runs &= runs >> 16;        // 32 in a row
        if (runs & (others >> 32)) // 33 in a row
            return;
        s.lines += std::popcount(returns);
        s.run = stars ? std::countl_zero(stars) : s.run + 64;
        asteriskBefore = stars >> 63;
        s.index += 64;
    }
}
#endif

} // namespace

VerifyResult verify(QStringView text) {
    VerifyResult r;
    r.CharCount = qint32(text.size());
    r.StatusText = u"Number of Characters: "_s + QString::number(r.CharCount);

    const char16_t* const data = text.utf16();
    const qsizetype size = text.size();
    ScanState s;
#ifdef __SSE2__
    skipCleanBlocks(data, size, s);
#endif
    qsizetype stopIndex = -1;
    for (; s.index < size; ++s.index) {
        const char16_t c = data[s.index];
        if (c == u'*') {
            s.run = 0;
            continue;
        }
        if (++s.run > RunLimit) {
            r.LongLineFlag = 1;
            stopIndex = s.index;
            break;
        }
        if (c == u'\r') {
            ++s.lines;
            if (s.index == 0 || data[s.index - 1] != u'*') {
                r.AsteriskFlag = 1;
                stopIndex = s.index;
                break;
            }
        }
    }
    // A carriage return that overflows the run is still counted as a line.
    if (r.LongLineFlag == 1 && data[stopIndex] == u'\r')
        ++s.lines;
    r.LineCount = s.lines;
    r.RunLength = qint16(s.run);
    if (stopIndex >= 0)
        ++r.ErrorCount;

    r.tooManyLines = r.LineCount >= LineCountLimit;
    if (r.tooManyLines)
        ++r.ErrorCount;
    // The mark normally stands near the end, where a search from the back finds it at once.
    r.endMarkMissing = text.lastIndexOf(EndMark) < 0;
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
