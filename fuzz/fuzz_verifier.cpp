// Any bytes, read as the Current File box would hold them, through the verifier. The verdict is
// checked against the format rules applied here from scratch, in a different shape: the text is cut
// into runs at its asterisks first, instead of being scanned character by character.
#include "fuzzcheck.h"

#include "matchfile/encoding.h"
#include "matchfile/lineends.h"
#include "matchfile/verifier.h"
#include "sections/sectioncheck.h"

#include <QSet>

#include <cstdint>
#include <utility>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = quenbury::matchfile::decodeWindows1252(bytes).value();
    const quenbury::matchfile::VerifyResult r = quenbury::matchfile::verify(text);

    // The first run of more than 32 characters breaks the rule at its 33rd character.
    qsizetype firstLong = -1;
    qsizetype start = 0;
    while (start <= text.size() && firstLong < 0) {
        qsizetype end = text.indexOf(u'*', start);
        if (end < 0)
            end = text.size();
        if (end - start > 32)
            firstLong = start + 32;
        start = end + 1;
    }
    qsizetype firstBare = text.indexOf(u'\r');
    while (firstBare > 0 && text[firstBare - 1] == u'*')
        firstBare = text.indexOf(u'\r', firstBare + 1);
    // A carriage return that is also the 33rd character of its run counts as a long run.
    const bool longRun = firstLong >= 0 && (firstBare < 0 || firstLong <= firstBare);
    const qsizetype stop = longRun ? firstLong : firstBare;
    const QStringView scanned = QStringView(text).first(stop >= 0 ? stop + 1 : text.size());
    const qsizetype lines = scanned.count(u'\r');
    const bool endMark = text.contains(u"EOFEOF*"_s);

    FUZZ_CHECK_EQUAL(qsizetype(r.CharCount), text.size());
    FUZZ_CHECK_EQUAL(qsizetype(r.LineCount), lines);
    FUZZ_CHECK_EQUAL(qsizetype(r.LongLineFlag), qsizetype(longRun));
    FUZZ_CHECK_EQUAL(qsizetype(r.AsteriskFlag), qsizetype(stop >= 0 && !longRun));
    FUZZ_CHECK_EQUAL(qsizetype(r.RunLength), scanned.size() - scanned.lastIndexOf(u'*') - 1);
    const qsizetype errors = qsizetype(stop >= 0) + qsizetype(lines >= 2000) + qsizetype(!endMark);
    FUZZ_CHECK_EQUAL(qsizetype(r.ErrorCount), errors);
    // The report's head and its last line say the same.
    const QString head = u"Number of Characters: %1\r\nNumber of Lines:%2\r\n"_s.arg(text.size()).arg(lines);
    FUZZ_CHECK(r.StatusText.startsWith(head));
    FUZZ_CHECK(r.StatusText.endsWith(u"\r\nNumber of Errors: "_s + QString::number(errors)));

    // The structure check names lines the box shows, at most one finding of each kind, in the order
    // of their lines and, on one line, of their kinds; a text read from bytes holds no character the
    // save would refuse.
    const quenbury::sections::SectionCheck structure = quenbury::sections::checkSections(text);
    qsizetype lineEnds = 0;
    for (quenbury::matchfile::LineWalker walker(text); walker.atLine(); walker.advance())
        lineEnds += walker.hasLineEnd() ? 1 : 0;
    QSet<int> kinds;
    std::pair<qsizetype, int> previous{0, -1};
    for (const quenbury::sections::SectionFinding& finding : structure.findings) {
        FUZZ_CHECK(finding.line >= 1);
        FUZZ_CHECK(finding.line <= lineEnds + 1);
        FUZZ_CHECK(finding.count >= 1);
        kinds.insert(int(finding.kind));
        const std::pair<qsizetype, int> place{finding.line, int(finding.kind)};
        FUZZ_CHECK(place > previous);
        previous = place;
    }
    FUZZ_CHECK(kinds.size() == structure.findings.size());
    FUZZ_CHECK(!structure.hasErrors());
    return 0;
}
