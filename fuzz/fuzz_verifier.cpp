// Any bytes, read as the Current File box would hold them, through the verifier. The verdict is
// checked against the format rules applied here from scratch, in a different shape: the text is cut
// into runs at its asterisks first, instead of being scanned character by character.
#include "fuzzcheck.h"

#include "matchfile/encoding.h"
#include "matchfile/verifier.h"

#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

using namespace Qt::StringLiterals;
using quenbury::matchfile::VerifyResult;

namespace {

constexpr qsizetype RunLimit = 32;
constexpr qsizetype LineLimit = 2000;

// Where the rules say the scan has to stop, and why.
struct Expectation {
    std::optional<qsizetype> stop; // 0-based index of the offending character
    bool longRun = false;          // else a carriage return without an asterisk before it
    qsizetype runAtStop = 0;       // characters of the run up to and including the stop (or the end)
    qsizetype carriageReturns = 0; // up to and including the stop, or in the whole text
    bool endMark = false;
};

Expectation expect(const QString& text) {
    Expectation e;
    const qsizetype size = text.size();

    // The first run longer than the limit: its 33rd character is where it breaks the rule.
    std::optional<qsizetype> firstLong;
    qsizetype runStart = 0;
    while (runStart <= size) {
        qsizetype runEnd = text.indexOf(u'*', runStart);
        if (runEnd < 0)
            runEnd = size;
        if (runEnd - runStart > RunLimit) {
            firstLong = runStart + RunLimit;
            break;
        }
        runStart = runEnd + 1;
    }

    std::optional<qsizetype> firstBare;
    for (qsizetype i = text.indexOf(u'\r'); i >= 0; i = text.indexOf(u'\r', i + 1)) {
        if (i == 0 || text[i - 1] != u'*') {
            firstBare = i;
            break;
        }
    }

    // A carriage return that is also the 33rd character of its run counts as a long run.
    if (firstLong && (!firstBare || *firstLong <= *firstBare)) {
        e.stop = firstLong;
        e.longRun = true;
    } else if (firstBare) {
        e.stop = firstBare;
    }

    const qsizetype scanned = e.stop ? *e.stop + 1 : size;
    e.carriageReturns = QStringView(text).first(scanned).count(u'\r');
    const qsizetype lastAsterisk = QStringView(text).first(scanned).lastIndexOf(u'*');
    e.runAtStop = scanned - (lastAsterisk + 1);
    e.endMark = text.contains(u"EOFEOF*"_s);
    return e;
}

// Takes `prefix` off the front of `rest`, or reports that it is not there.
bool consume(QStringView& rest, QStringView prefix) {
    if (!rest.startsWith(prefix))
        return false;
    rest = rest.sliced(prefix.size());
    return true;
}

// Takes a decimal number and the CR LF after it.
std::optional<qsizetype> consumeNumberLine(QStringView& rest) {
    const qsizetype end = rest.indexOf(u"\r\n");
    if (end <= 0)
        return std::nullopt;
    bool ok = false;
    const qsizetype n = rest.first(end).toLongLong(&ok);
    if (!ok || rest.first(end) != QString::number(n))
        return std::nullopt;
    rest = rest.sliced(end + 2);
    return n;
}

void checkVerdict(const QString& text) {
    const VerifyResult r = quenbury::matchfile::verify(text);
    const Expectation e = expect(text);

    FUZZ_CHECK_EQUAL(qsizetype(r.CharCount), text.size());
    FUZZ_CHECK_EQUAL(qsizetype(r.LineCount), e.carriageReturns);
    FUZZ_CHECK_EQUAL(qsizetype(r.LongLineFlag), qsizetype(e.stop && e.longRun));
    FUZZ_CHECK_EQUAL(qsizetype(r.AsteriskFlag), qsizetype(e.stop && !e.longRun));
    FUZZ_CHECK_EQUAL(qsizetype(r.RunLength), e.runAtStop);
    FUZZ_CHECK(r.ErrorCount >= 0 && r.ErrorCount <= 3);

    const bool tooLong = e.carriageReturns >= LineLimit;
    const qsizetype errors = qsizetype(e.stop.has_value()) + qsizetype(tooLong) + qsizetype(!e.endMark);
    FUZZ_CHECK_EQUAL(qsizetype(r.ErrorCount), errors);

    // A clean verdict exactly when every rule holds over the whole text.
    const bool allRulesHold = !e.stop && text.count(u'\r') < LineLimit && e.endMark;
    FUZZ_CHECK_EQUAL(qsizetype(r.isClean()), qsizetype(allRulesHold));

    // The report, piece by piece: its head, each finding in its fixed order, and the error count.
    QStringView rest = r.StatusText;
    FUZZ_CHECK(consume(rest, u"Number of Characters: "));
    FUZZ_CHECK_EQUAL(consumeNumberLine(rest).value_or(-1), text.size());
    FUZZ_CHECK(consume(rest, u"Number of Lines:"));
    FUZZ_CHECK_EQUAL(consumeNumberLine(rest).value_or(-1), e.carriageReturns);

    const QString tail = u"\r\nNumber of Errors: "_s + QString::number(r.ErrorCount);
    FUZZ_CHECK(rest.endsWith(tail));
    rest.chop(tail.size());

    qsizetype findings = 0;
    if (consume(rest, u"**FILE TOO LONG\r\nEXCEEDS 2000 LINES\r\n-Shorten File and Reverify!")) {
        FUZZ_CHECK(tooLong);
        ++findings;
    }
    if (consume(rest, u"\r\n**No End Of File Detected\r\n- EOFEOF*\r\n")) {
        FUZZ_CHECK(!e.endMark);
        ++findings;
    }
    if (consume(rest, u"**Line too Long-\r\nShorten Line Number: ")) {
        FUZZ_CHECK(e.stop && e.longRun);
        FUZZ_CHECK_EQUAL(consumeNumberLine(rest).value_or(-1), e.carriageReturns + 1);
        // The 32 characters before the one that made the run too long.
        const QString excerpt = text.sliced(*e.stop - RunLimit, RunLimit);
        FUZZ_CHECK(consume(rest, excerpt));
        FUZZ_CHECK(consume(rest, u"\r\nLength= 33"));
        ++findings;
    } else if (consume(rest, u"**Asterisk Missing\r\nor there is a blank line at:\r\nLine ")) {
        FUZZ_CHECK(e.stop && !e.longRun);
        FUZZ_CHECK_EQUAL(consumeNumberLine(rest).value_or(-1), e.carriageReturns);
        const qsizetype from = std::max<qsizetype>(0, *e.stop - RunLimit);
        FUZZ_CHECK(consume(rest, text.sliced(from, *e.stop - from)));
        ++findings;
    }
    FUZZ_CHECK_EQUAL(rest.toString(), QString());
    FUZZ_CHECK_EQUAL(findings, qsizetype(r.ErrorCount));
    // Every condition found by the rules above has its finding.
    FUZZ_CHECK_EQUAL(findings, errors);
}

// The same bytes as a text that a file never yields but a person can type: every byte from 0x80 up
// becomes a character outside Windows-1252 whose low byte is "*" or CR, which a scan that looks at
// bytes instead of whole characters would take for the real thing.
QString lookalikeText(const std::uint8_t* data, std::size_t size) {
    QString text(qsizetype(size), Qt::Uninitialized);
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned b = data[i];
        // High bytes on both sides of 0x80, so that signed and unsigned narrowing are both tried.
        const unsigned high = (b & 2) ? b : ((b & 0x7F) | 1);
        const unsigned low = (b & 1) ? '*' : '\r';
        text[qsizetype(i)] = QChar(char16_t(b < 0x80 ? b : (high << 8) | low));
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = quenbury::matchfile::fromWindows1252(
        QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    FUZZ_CHECK_EQUAL(text.size(), qsizetype(size));
    checkVerdict(text);
    checkVerdict(lookalikeText(data, size));
    return 0;
}
