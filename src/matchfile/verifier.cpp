#include "matchfile/verifier.h"

#include "matchfile/format.h"

#include <bit>

#ifdef __SSE2__
#include <immintrin.h>
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

// Where a scan stands: the next character to look at, the characters since the last asterisk and
// the carriage returns counted so far.
struct ScanState {
    qsizetype index = 0;
    int run = 0;
    qint32 lines = 0;
};

#ifdef __SSE2__
// True when 33 characters in a row inside the block are no asterisk.
inline bool holdsLongRun(quint64 stars) {
    const quint64 others = ~stars;
    quint64 runs = others & (others >> 1); // bit i: i and i+1 are both not asterisks
    runs &= runs >> 2;
    runs &= runs >> 4;
    runs &= runs >> 8;
    runs &= runs >> 16;                  // 32 in a row
    return (runs & (others >> 32)) != 0; // 33 in a row
}

// Takes one block of 64 characters, given as bit masks of its asterisks and carriage returns, if
// no finding can stop the scan in it; then the counts are those the character loop would reach.
// `insideChecked` says the caller has already ruled out a long run inside the block.
inline bool takeCleanBlock(quint64 stars, quint64 returns, ScanState& s, quint64& asteriskBefore,
                           bool insideChecked = false) {
    // Every carriage return must directly follow an asterisk.
    if (returns & ~((stars << 1) | asteriskBefore))
        return false;
    // No 33 characters in a row without an asterisk: neither the run carried into the block and
    // its leading part, nor any stretch inside it.
    if (s.run + std::countr_zero(stars) > RunLimit || (!insideChecked && holdsLongRun(stars)))
        return false;
    s.lines += std::popcount(returns);
    s.run = stars ? std::countl_zero(stars) : s.run + 64;
    asteriskBefore = stars >> 63;
    s.index += 64;
    return true;
}

// Both searched characters are below 128, so packing two characters' 16 bits into 8 with signed
// saturation keeps them apart from every other character, and one byte compare serves 16 of them.
ScanState skipCleanBlocksSse2(const char16_t* data, qsizetype size, ScanState s) {
    const __m128i asterisk = _mm_set1_epi8('*');
    const __m128i carriageReturn = _mm_set1_epi8('\r');
    quint64 asteriskBefore = 0;
    while (s.index + 64 <= size) {
        quint64 stars = 0;
        quint64 returns = 0;
        for (int k = 0; k < 4; ++k) {
            const auto* p = reinterpret_cast<const __m128i*>(data + s.index + 16 * k);
            const __m128i bytes = _mm_packs_epi16(_mm_loadu_si128(p), _mm_loadu_si128(p + 1));
            stars |= quint64(quint16(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, asterisk)))) << (16 * k);
            returns |= quint64(quint16(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, carriageReturn)))) << (16 * k);
        }
        if (!takeCleanBlock(stars, returns, s, asteriskBefore))
            break;
    }
    return s;
}

#if defined(__GNUC__) && defined(__x86_64__)
#define QUENBURY_HAVE_AVX2
__attribute__((target("avx2,popcnt,lzcnt,bmi"))) ScanState skipCleanBlocksAvx2(const char16_t* data,
                                                                               qsizetype size, ScanState s) {
    const __m256i asterisk = _mm256_set1_epi8('*');
    const __m256i carriageReturn = _mm256_set1_epi8('\r');
    quint64 asteriskBefore = 0;
    while (s.index + 64 <= size) {
        quint64 stars = 0;
        quint64 returns = 0;
        for (int k = 0; k < 2; ++k) {
            const auto* p = reinterpret_cast<const __m256i*>(data + s.index + 32 * k);
            // The packing works within 128-bit lanes; the permute puts the characters back in order.
            const __m256i bytes = _mm256_permute4x64_epi64(
                _mm256_packs_epi16(_mm256_loadu_si256(p), _mm256_loadu_si256(p + 1)), 0xD8);
            stars |= quint64(quint32(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, asterisk)))) << (32 * k);
            returns |= quint64(quint32(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, carriageReturn))))
                       << (32 * k);
        }
        if (!takeCleanBlock(stars, returns, s, asteriskBefore))
            break;
    }
    return s;
}

// GCC 12 takes the undefined source lanes of its own AVX-512 shift intrinsics for uninitialised.
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
// With AVX-512 a compare yields the bit mask of 32 characters directly, and the search for long
// runs inside blocks is done for eight blocks at once.
__attribute__((target("avx512f,avx512bw,popcnt,lzcnt,bmi"))) ScanState
skipCleanBlocksAvx512(const char16_t* data, qsizetype size, ScanState s) {
    const __m512i asterisk = _mm512_set1_epi16(u'*');
    const __m512i carriageReturn = _mm512_set1_epi16(u'\r');
    quint64 asteriskBefore = 0;
    constexpr int Group = 8;
    alignas(64) quint64 stars[Group];
    alignas(64) quint64 returns[Group];
    while (s.index + 64 <= size) {
        const int blocks = s.index + 64 * Group <= size ? Group : 1;
        for (int b = 0; b < blocks; ++b) {
            const char16_t* p = data + s.index + 64 * b;
            const __m512i low = _mm512_loadu_si512(p);
            const __m512i high = _mm512_loadu_si512(p + 32);
            stars[b] = quint64(_mm512_cmpeq_epi16_mask(low, asterisk)) |
                       quint64(_mm512_cmpeq_epi16_mask(high, asterisk)) << 32;
            returns[b] = quint64(_mm512_cmpeq_epi16_mask(low, carriageReturn)) |
                         quint64(_mm512_cmpeq_epi16_mask(high, carriageReturn)) << 32;
        }
        bool insideChecked = false;
        if (blocks == Group) {
            const __m512i others = _mm512_xor_si512(_mm512_load_si512(stars), _mm512_set1_epi64(-1));
            __m512i runs = _mm512_and_si512(others, _mm512_srli_epi64(others, 1));
            runs = _mm512_and_si512(runs, _mm512_srli_epi64(runs, 2));
            runs = _mm512_and_si512(runs, _mm512_srli_epi64(runs, 4));
            runs = _mm512_and_si512(runs, _mm512_srli_epi64(runs, 8));
            runs = _mm512_and_si512(runs, _mm512_srli_epi64(runs, 16));
            insideChecked = _mm512_test_epi64_mask(runs, _mm512_srli_epi64(others, 32)) == 0;
        }
        for (int b = 0; b < blocks; ++b) {
            if (!takeCleanBlock(stars[b], returns[b], s, asteriskBefore, insideChecked))
                return s;
        }
    }
    return s;
}
#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

// Skips whole blocks in which no finding can stop the scan. A large file is mostly such blocks, so
// verifying costs little more than reading it once. Stops in front of the first block that needs
// the character loop's closer look.
ScanState skipCleanBlocks(const char16_t* data, qsizetype size, ScanState s) {
#ifdef QUENBURY_HAVE_AVX2
    static const bool bitManipulation = __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("bmi");
    static const bool avx512 = bitManipulation && __builtin_cpu_supports("avx512bw");
    static const bool avx2 = bitManipulation && __builtin_cpu_supports("avx2");
    if (avx512)
        return skipCleanBlocksAvx512(data, size, s);
    if (avx2)
        return skipCleanBlocksAvx2(data, size, s);
#endif
    return skipCleanBlocksSse2(data, size, s);
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
    s = skipCleanBlocks(data, size, s);
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
