#include "sections/sectioncheck.h"

#include "events/eventcatalogue.h"
#include "matchfile/encoding.h"
#include "matchfile/format.h"
#include "matchfile/lineends.h"
#include "translations/translationheader.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace quenbury::sections {

using namespace matchfile;

namespace {

using Kind = SectionFinding::Kind;

constexpr QStringView Trailer = u"XXXXXX*";
constexpr QStringView OrgMarker = u"#ORG*";
constexpr QStringView TranslationsMarker = u"#Translations*";
// As much of a line as a finding quotes: a database line may be a megabyte long.
constexpr qsizetype QuoteLength = 32;

const QString MarkerTitle = u"**Marker Missing or Misplaced at:"_s;
// The report box shows lines of about 40 characters.
constexpr qsizetype ReportWidth = 40;

// Broken between words into lines of at most ReportWidth characters; a longer word has a line alone.
QString wrapped(const QString& text) {
    QString lines;
    qsizetype lineStart = 0;
    for (const QString& word : text.split(u' ')) {
        if (lines.size() > lineStart && lines.size() - lineStart + 1 + word.size() > ReportWidth) {
            lines += LineEnd;
            lineStart = lines.size();
        } else if (lines.size() > lineStart) {
            lines += u' ';
        }
        lines += word;
    }
    return lines;
}

QString quote(QStringView line) {
    QString quoted = u"\""_s;
    quoted += line.left(QuoteLength);
    if (line.size() > QuoteLength)
        quoted += u'\u2026';
    quoted += u'"';
    return quoted;
}

// Section markers, separators and the closing lines; every "#" line is taken for a marker, so that
// one standing in the wrong section is reported as a marker rather than as an odd event or location.
bool isMarker(QStringView line) {
    return line.startsWith(u'#') || line == Separator || line == EndMark || line == Trailer;
}

const QSet<QStringView>& eventLines() {
    static const QSet<QStringView> lines = [] {
        QSet<QStringView> set;
        for (const events::EventRow& row : events::EventCatalogue)
            set.insert(row.matchLine);
        return set;
    }();
    return lines;
}

// Whether the line was new to the set. Only lines that are no finding already are added, so a set of
// events holds at most 53 lines and a 64 MiB text of short lines adds none.
bool added(QSet<QStringView>& seen, QStringView line) {
    const qsizetype before = seen.size();
    seen.insert(line);
    return seen.size() > before;
}

bool hasLocationCode(QStringView line) {
    if (line.size() < 6)
        return false;
    return std::all_of(line.begin(), line.begin() + 6, [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The translation header as the Brisvane 400 button writes it, one entry a line.
const QStringList& headerLines() {
    static const QStringList lines =
        translations::translationHeader().split(LineEnd.toString(), Qt::SkipEmptyParts);
    return lines;
}

// Walks the lines once, section by section in the order the wizard writes them. Where a line is not
// what its place asks for, the departure is noted and the walk goes on as if the expected line had
// been there, so that one missing marker does not turn every later line into a finding. Lines are
// read as the walk reaches them, never all kept: a text of 64 MiB may be nothing but line ends.
class Checker {
public:
    explicit Checker(QStringView text);
    SectionCheck run();

private:
    // The line the walk stands on, as the box shows lines.
    QStringView current() const { return m_walk.line(); }
    bool atLine() const { return m_walk.atLine() && !m_cut; }
    bool inBody() const { return atLine() && current() != EndMark; } // before the first end mark
    void advance();
    QStringView next() const { return m_walk.next(); }
    qsizetype lineNumber() const;

    SectionFinding& note(Kind kind, const QString& title, const QString& expected, qsizetype count = 1,
                         QStringView action = {});
    void noteMarker(QStringView marker);
    bool expect(QStringView marker);
    template <typename Check>
    void section(const QString& what, std::initializer_list<QStringView> next, Check check);
    void locationLines(const QString& what, const QString& page, QSet<QStringView>& seen);
    bool headerStarts() const;
    void header(bool again);
    void end(bool strayLines);
    void characters();

    QStringView m_text;
    LineWalker m_walk;
    qsizetype m_missingAt = -1; // the line where the last expected marker was missing
    std::array<std::optional<SectionFinding>, 6> m_found;
    bool m_cut = false;    // the walk stopped at ComparedLines; what follows was not compared
    SectionFinding m_past; // where the departures noted past the cut go, unreported
};

Checker::Checker(QStringView text)
    : m_text(text)
    , m_walk(text) {
    characters();
}

void Checker::advance() {
    m_walk.advance();
    m_cut = m_walk.atLine() && m_walk.number() > ComparedLines;
    if (!m_cut)
        characters();
}

// Past the last line, the box's empty line after a last line end, or that last line itself.
qsizetype Checker::lineNumber() const {
    const bool endsWithLineEnd = m_text.isEmpty() || m_text.endsWith(u'\r') || m_text.endsWith(u'\n');
    return atLine() || endsWithLineEnd ? m_walk.number() : m_walk.number() - 1;
}

// The first departure of a kind is the one reported; later ones only add to its count.
// Past the cut, a marker the walk misses may well stand among the lines it did not reach.
// The action is joined to what was expected only for the first: a text may hold a million such lines.
SectionFinding& Checker::note(Kind kind, const QString& title, const QString& expected, qsizetype count,
                              QStringView action) {
    if (m_cut)
        return m_past;
    std::optional<SectionFinding>& finding = m_found[std::size_t(kind)];
    if (finding) {
        finding->count += count;
        return *finding;
    }
    const QString found = atLine() ? quote(current()) : u"the end of the file"_s;
    finding = SectionFinding{kind, title, lineNumber(), 0, found, expected + action.toString(), count};
    return *finding;
}

// A line that stands where a marker belongs may be one too many, or the marker may be missing.
void Checker::noteMarker(QStringView marker) {
    note(Kind::Marker, MarkerTitle, quote(marker), 1,
         atLine() ? u" here: add it, or move this line" : u" here: add it");
}

// A marker the walk expects here. When another line stands in its place, that line is left for
// what comes next.
bool Checker::expect(QStringView marker) {
    if (inBody() && current() == marker) {
        advance();
        return true;
    }
    noteMarker(marker);
    m_missingAt = m_walk.number();
    return false;
}

// The lines of a section, up to one of the markers that may follow it. A marker that has no place
// here any more is out of place: it is noted and passed over.
template <typename Check>
void Checker::section(const QString& what, std::initializer_list<QStringView> next, Check check) {
    for (; inBody(); advance()) {
        const QStringView line = current();
        if (!isMarker(line)) {
            check(line);
            continue;
        }
        if (std::find(next.begin(), next.end(), line) != next.end())
            return;
        // Already counted where it stands in for the marker the walk expected.
        if (m_walk.number() != m_missingAt)
            note(Kind::Marker, MarkerTitle, what, 1, u": move or delete this marker");
    }
}

void Checker::locationLines(const QString& what, const QString& page, QSet<QStringView>& seen) {
    const QString expected = u"a location from the %1 page, each once"_s.arg(page);
    section(what, {Separator, OrgMarker}, [&](QStringView line) {
        if (!hasLocationCode(line) || !added(seen, line))
            note(Kind::Location, u"**Repeated or Uncoded Location at:"_s, expected);
    });
}

// Also a header that lost its first line, the separator closing the locations.
bool Checker::headerStarts() const {
    if (!inBody())
        return false;
    return current() == OrgMarker || (current() == Separator && next() == OrgMarker);
}

// The header runs to its "#Translations*" line, or to the end mark when that line is gone. Compared
// with the one the wizard writes allowing for single lines changed, added or left out, so that one
// line deleted counts as one line and not as every line after it.
void Checker::header(bool again) {
    bool closed = false; // its "#Translations*" line is behind the walk
    const auto consume = [&] {
        closed = current() == TranslationsMarker;
        advance();
    };
    if (again) {
        SectionFinding& twice = note(Kind::TranslationHeader, u"**Translation Header Twice at:"_s,
                                     u"translation lines: delete this second header"_s, 0);
        for (; !closed && inBody(); consume())
            ++twice.count;
        return;
    }
    // A header cut short still leaves the separator that closes the file to the file.
    const auto inHeader = [&] {
        return !closed && inBody() && !(current() == Separator && next() == EndMark);
    };
    const QStringList& expected = headerLines();
    qsizetype want = 0;
    while (inHeader() || want < expected.size()) {
        const bool haveLine = inHeader();
        const bool haveWant = want < expected.size();
        if (haveLine && haveWant && current() == expected[want]) {
            consume();
            ++want;
            continue;
        }
        note(Kind::TranslationHeader, u"**Translation Header Changed at:"_s,
             haveWant ? quote(expected[want]) + u" here, as the Brisvane 400 button writes the header"_s
                      : u"the end of the header: delete this line"_s);
        const bool nextInHeader = haveLine && current() != TranslationsMarker && next() != EndMark;
        if (haveLine && want + 1 < expected.size() && current() == expected[want + 1]) {
            ++want; // a header line left out
        } else if (nextInHeader && haveWant && next() == expected[want]) {
            consume(); // a line added
        } else {
            if (haveLine)
                consume(); // a line changed
            want += haveWant ? 1 : 0;
        }
    }
}

// Exactly one line follows the end mark, the trailer. Without an end mark, lines that stood where it
// belongs have been counted for it.
void Checker::end(bool strayLines) {
    if (!atLine()) {
        if (!strayLines)
            noteMarker(EndMark);
        noteMarker(Trailer);
        return;
    }
    advance();
    if (atLine() && current() == Trailer)
        advance();
    else
        noteMarker(Trailer);
    if (!atLine())
        return;
    SectionFinding& after = note(Kind::LinesAfterEnd, u"**Lines After End Of File at:"_s,
                                 u"nothing after \"XXXXXX*\": delete these lines"_s, 0);
    for (; atLine(); advance())
        ++after.count;
}

// Of the line the walk has just reached. Counted by lines, as every other finding is: the save names
// the first such character anyway.
void Checker::characters() {
    const std::optional<UnencodableCharacter> bad = findUnencodable(current());
    if (!bad)
        return;
    std::optional<SectionFinding>& finding = m_found[std::size_t(Kind::Character)];
    if (finding) {
        ++finding->count;
        return;
    }
    finding = SectionFinding{Kind::Character,
                             u"**Not A Windows-1252 Character at:"_s,
                             lineNumber(),
                             bad->column,
                             quote(current()),
                             u"a character the receivers can show (Windows-1252): replace "_s +
                                 quote(bad->character) + u" or delete it"_s,
                             1};
}

SectionCheck Checker::run() {
    expect(EventSectionMarker);
    QSet<QStringView> events;
    section(u"an event line"_s, {Separator, LocationSectionMarker}, [&](QStringView line) {
        if (!eventLines().contains(line) || !added(events, line))
            note(Kind::Event, u"**Unknown or Repeated Event at:"_s,
                 u"an event code from the Events page, each once"_s);
    });
    expect(Separator);
    expect(LocationSectionMarker);
    QSet<QStringView> locations;
    // Growing a set line by line costs more than the check itself; a location line is rarely shorter
    // than 16 characters with its line end. A huge text grows it beyond that.
    locations.reserve(std::min(m_text.size() / 16, ComparedLines));
    if (expect(NationalLocationLine))
        added(locations, NationalLocationLine);
    locationLines(u"a location line"_s, u"Locations"_s, locations);
    QSet<QStringView> translations;
    for (bool again = false; headerStarts(); again = true) {
        header(again);
        locationLines(u"a translation line"_s, u"Translations"_s, translations);
    }
    expect(Separator);
    const bool strayLines = inBody();
    for (; inBody(); advance())
        noteMarker(EndMark);
    end(strayLines);

    SectionCheck check;
    check.cut = m_cut;
    for (const std::optional<SectionFinding>& finding : m_found) {
        if (finding)
            check.findings.append(*finding);
    }
    // Read from the top, as the box is; the same line keeps the kinds' order.
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [](const SectionFinding& a, const SectionFinding& b) { return a.line < b.line; });
    return check;
}

} // namespace

// Laid out as the verifier's own findings are, in lines short enough for the report box.
QString SectionFinding::text() const {
    QString text = title;
    text += LineEnd;
    text += u"Line "_s + QString::number(line);
    if (column > 0)
        text += u", Column "_s + QString::number(column);
    text += LineEnd;
    text += found;
    text += LineEnd;
    text += wrapped(u"Expected: "_s + expected);
    text += LineEnd;
    text += u"("_s + QString::number(count) + (count == 1 ? u" line)"_s : u" lines)"_s);
    return text;
}

bool SectionCheck::hasErrors() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const SectionFinding& f) { return f.kind == SectionFinding::Kind::Character; });
}

QString SectionCheck::report() const {
    QString report;
    for (const SectionFinding& finding : findings) {
        report += LineEnd;
        report += LineEnd;
        report += finding.text();
    }
    if (cut)
        report += u"\r\n\r\nLines past 32,767 were not compared."_s;
    return report;
}

SectionCheck checkSections(QStringView text) {
    return Checker(text).run();
}

} // namespace quenbury::sections
