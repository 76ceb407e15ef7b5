#include "matchfile/structure.h"

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

namespace quenbury::matchfile {

namespace {

using Kind = StructureFinding::Kind;

constexpr QStringView Trailer = u"XXXXXX*";
constexpr QStringView OrgMarker = u"#ORG*";
constexpr QStringView TranslationsMarker = u"#Translations*";
// As much of a line as a finding quotes: a database line may be a megabyte long.
constexpr qsizetype QuoteLength = 32;

const QString MarkerTitle = u"**Marker Missing or Out of Place at:"_s;
const QString LocationExpected = u"a six-digit location code, each line listed once"_s;

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
// been there, so that one missing marker does not turn every later line into a finding.
class Checker {
public:
    explicit Checker(QStringView text);
    StructureCheck run();

private:
    qsizetype lineNumber(qsizetype index) const { return std::min(index + 1, m_rows); }
    QString quoted(qsizetype index) const;
    void note(Kind kind, qsizetype index, const QString& title, const QString& expected, qsizetype count = 1);
    bool expect(QStringView marker);
    template <typename Check>
    void section(const QString& what, std::initializer_list<QStringView> next, Check check);
    void locationLines(const QString& what, QSet<QStringView>& seen);
    bool headerStarts() const;
    void header(bool again);
    void end();
    void characters();

    QList<QStringView> m_lines; // a last line without a line end is a line too
    qsizetype m_rows = 0;       // the lines the box shows, with the empty one after a last line end
    qsizetype m_bodyEnd = 0;    // the first end-mark line, or past the last line
    qsizetype m_at = 0;         // the line the walk stands on
    qsizetype m_missingAt = -1; // where the last expected marker was missing
    std::array<std::optional<StructureFinding>, 6> m_found;
};

Checker::Checker(QStringView text) {
    m_lines.reserve(text.count(u'\n') + 1);
    const qsizetype tail = forEachLineEnd(
        text, [&](qsizetype start, qsizetype end, bool) { m_lines.append(text.sliced(start, end - start)); });
    m_rows = m_lines.size() + 1;
    if (tail < text.size())
        m_lines.append(text.sliced(tail));
    m_bodyEnd = m_lines.indexOf(EndMark);
    if (m_bodyEnd < 0)
        m_bodyEnd = m_lines.size();
}

QString Checker::quoted(qsizetype index) const {
    if (index >= m_lines.size())
        return u"the end of the file"_s;
    return quote(m_lines[index]);
}

// The first departure of a kind is the one reported; later ones only add to its count.
void Checker::note(Kind kind, qsizetype index, const QString& title, const QString& expected,
                   qsizetype count) {
    std::optional<StructureFinding>& finding = m_found[std::size_t(kind)];
    if (finding) {
        finding->count += count;
        return;
    }
    finding = StructureFinding{kind, title, lineNumber(index), 0, quoted(index), expected, count};
}

// A marker the walk expects here. When another line stands in its place, that line is left for
// what comes next.
bool Checker::expect(QStringView marker) {
    if (m_at < m_bodyEnd && m_lines[m_at] == marker) {
        ++m_at;
        return true;
    }
    note(Kind::Marker, m_at, MarkerTitle, quote(marker));
    m_missingAt = m_at;
    return false;
}

// The lines of a section, up to one of the markers that may follow it. A marker that has no place
// here any more is out of place: it is noted and passed over.
template <typename Check>
void Checker::section(const QString& what, std::initializer_list<QStringView> next, Check check) {
    for (; m_at < m_bodyEnd; ++m_at) {
        const QStringView line = m_lines[m_at];
        if (!isMarker(line)) {
            check(line);
            continue;
        }
        if (std::find(next.begin(), next.end(), line) != next.end())
            return;
        // Already counted where it stands in for the marker the walk expected.
        if (m_at != m_missingAt)
            note(Kind::Marker, m_at, MarkerTitle, what);
    }
}

void Checker::locationLines(const QString& what, QSet<QStringView>& seen) {
    section(what, {Separator, OrgMarker}, [&](QStringView line) {
        if (!hasLocationCode(line) || seen.contains(line))
            note(Kind::Location, m_at, u"**Location Listed Twice or Without Code at:"_s, LocationExpected);
        seen.insert(line);
    });
}

// Also a header that lost its first line, the separator closing the locations.
bool Checker::headerStarts() const {
    if (m_at >= m_bodyEnd)
        return false;
    if (m_lines[m_at] == OrgMarker)
        return true;
    return m_lines[m_at] == Separator && m_at + 1 < m_bodyEnd && m_lines[m_at + 1] == OrgMarker;
}

// The header runs to its "#Translations*" line, or to the end mark when that line is gone. Compared
// with the one the wizard writes allowing for single lines changed, added or left out, so that one
// line deleted counts as one line and not as every line after it.
void Checker::header(bool again) {
    const qsizetype start = m_at;
    qsizetype end = start;
    while (end < m_bodyEnd && m_lines[end] != TranslationsMarker)
        ++end;
    if (end < m_bodyEnd)
        ++end;
    m_at = end;
    if (again) {
        note(Kind::TranslationHeader, start, u"**Translation Header Twice at:"_s,
             u"translation lines, or \"YYYYYY*\" closing them"_s, end - start);
        return;
    }
    const QStringList& expected = headerLines();
    qsizetype line = start;
    qsizetype want = 0;
    qsizetype differing = 0;
    qsizetype first = -1;
    QString firstExpected;
    while (line < end || want < expected.size()) {
        const bool haveLine = line < end;
        const bool haveWant = want < expected.size();
        if (haveLine && haveWant && m_lines[line] == expected[want]) {
            ++line;
            ++want;
            continue;
        }
        if (first < 0) {
            first = line;
            firstExpected = haveWant ? quote(expected[want]) : u"the end of the header"_s;
        }
        ++differing;
        if (haveLine && want + 1 < expected.size() && m_lines[line] == expected[want + 1]) {
            ++want; // a header line left out
        } else if (line + 1 < end && haveWant && m_lines[line + 1] == expected[want]) {
            ++line; // a line added
        } else {
            line += haveLine ? 1 : 0; // a line changed
            want += haveWant ? 1 : 0;
        }
    }
    if (first >= 0)
        note(Kind::TranslationHeader, first, u"**Translation Header Changed at:"_s, firstExpected, differing);
}

// Exactly one line follows the end mark, the trailer.
void Checker::end() {
    if (m_bodyEnd == m_lines.size()) {
        note(Kind::Marker, m_bodyEnd, MarkerTitle, quote(EndMark));
        note(Kind::Marker, m_bodyEnd, MarkerTitle, quote(Trailer));
        return;
    }
    qsizetype after = m_bodyEnd + 1;
    if (after < m_lines.size() && m_lines[after] == Trailer)
        ++after;
    else
        note(Kind::Marker, after, MarkerTitle, quote(Trailer));
    if (after < m_lines.size()) {
        note(Kind::LinesAfterEnd, after, u"**Lines After End Of File at:"_s, u"nothing after \"XXXXXX*\""_s,
             m_lines.size() - after);
    }
}

// Counted by lines, as every other finding is: the save names the first such character anyway.
void Checker::characters() {
    for (qsizetype index = 0; index < m_lines.size(); ++index) {
        const QStringView line = m_lines[index];
        // ASCII first: nearly every character of a real file is.
        const auto bad = std::find_if_not(
            line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x80 || hasWindows1252Byte(c); });
        if (bad == line.end())
            continue;
        std::optional<StructureFinding>& finding = m_found[std::size_t(Kind::Character)];
        if (finding) {
            ++finding->count;
            continue;
        }
        const qsizetype column = bad - line.begin();
        const bool pair =
            bad->isHighSurrogate() && column + 1 < line.size() && line[column + 1].isLowSurrogate();
        UnencodableCharacter character;
        character.character = line.sliced(column, pair ? 2 : 1).toString();
        finding = StructureFinding{Kind::Character,
                                   u"**Character Not In Windows-1252 at:"_s,
                                   lineNumber(index),
                                   column + 1,
                                   quote(character.character) + u" ("_s + character.code() + u')',
                                   u"a character of Windows-1252, the receivers' character set"_s,
                                   1};
    }
}

StructureCheck Checker::run() {
    expect(EventSectionMarker);
    QSet<QStringView> events;
    section(u"an event line"_s, {Separator, LocationSectionMarker}, [&](QStringView line) {
        if (!eventLines().contains(line) || events.contains(line))
            note(Kind::Event, m_at, u"**Event Unknown or Listed Twice at:"_s,
                 u"one of the 53 event codes, each listed once"_s);
        events.insert(line);
    });
    expect(Separator);
    expect(LocationSectionMarker);
    QSet<QStringView> locations;
    locations.reserve(m_bodyEnd - m_at);
    if (expect(NationalLocationLine))
        locations.insert(NationalLocationLine);
    locationLines(u"a location line"_s, locations);
    QSet<QStringView> translations;
    for (bool again = false; headerStarts(); again = true) {
        header(again);
        locationLines(u"a translation line"_s, translations);
    }
    expect(Separator);
    for (; m_at < m_bodyEnd; ++m_at)
        note(Kind::Marker, m_at, MarkerTitle, quote(EndMark));
    end();
    characters();

    StructureCheck check;
    for (const std::optional<StructureFinding>& finding : m_found) {
        if (finding)
            check.findings.append(*finding);
    }
    return check;
}

} // namespace

QString StructureFinding::text() const {
    QString where = u"Line "_s + QString::number(line);
    if (column > 0)
        where += u", Column "_s + QString::number(column);
    QString text = title;
    text += LineEnd;
    text += where + u": "_s + found;
    text += LineEnd;
    text += u"Expected: "_s + expected;
    text += LineEnd;
    text += u"("_s + QString::number(count) + (count == 1 ? u" line)"_s : u" lines)"_s);
    return text;
}

bool StructureCheck::hasErrors() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const StructureFinding& f) { return f.kind == StructureFinding::Kind::Character; });
}

QString StructureCheck::report() const {
    QString report;
    for (const StructureFinding& finding : findings) {
        report += LineEnd;
        report += LineEnd;
        report += finding.text();
    }
    return report;
}

StructureCheck checkStructure(QStringView text) {
    return Checker(text).run();
}

} // namespace quenbury::matchfile
