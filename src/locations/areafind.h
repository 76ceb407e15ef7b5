#pragma once

#include <QStringList>
#include <QStringView>

namespace quenbury::locations {

// The area a database line belongs to, by the two-digit code in its 2nd and 3rd characters, named as
// people say it: the area table's caption without its number ("Ohio", "Gulf of Mexico"). Empty for a
// line whose code is no area's.
QStringView areaName(QStringView line);

// What the user typed into a find field. A line matches when every word typed is found in the line's
// text or in the name of its area. Case, blanks and punctuation are ignored on both sides, because
// database lines run words together ("036061NewYork*") and captions carry dots and dashes.
class LineQuery {
public:
    LineQuery() = default;
    explicit LineQuery(QStringView typed);

    bool isEmpty() const { return m_words.isEmpty(); }
    bool matches(QStringView line) const;
    bool operator==(const LineQuery& other) const { return m_words == other.m_words; }

private:
    QStringList m_words; // folded, none empty
};

} // namespace quenbury::locations
