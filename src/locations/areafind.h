#pragma once

#include <QStringList>
#include <QStringView>

namespace quenbury::locations {

// The area a database line belongs to, by the two-digit code in its 2nd and 3rd characters, named as
// people say it: the area table's caption without its number ("Ohio", "Gulf of Mexico"). Empty for a
// line whose code is no area's.
QStringView areaName(QStringView line);

// What the user typed into a find field. A line matches when every word typed is found in the line's
// text or in the name of its area, or is its area's postal code. Case, blanks and punctuation are
// ignored on both sides, because database lines run words together ("036061NewYork*") and captions
// carry dots and dashes. People write states by their postal codes ("clark nv"); a word stands for
// one only when it is the whole code, so "nva" finds no Nevada line.
class LineQuery {
public:
    LineQuery() = default;
    explicit LineQuery(QStringView typed);

    bool isEmpty() const { return m_words.isEmpty(); }
    bool matches(QStringView line) const;
    bool operator==(const LineQuery& other) const { return m_words == other.m_words; }

private:
    QStringList m_words;      // folded, none empty
    QList<int> m_postalAreas; // for each word, the area whose postal code it is, or -1
};

} // namespace quenbury::locations
