#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace quenbury::sections {

// The receivers take fewer than 2,000 lines and the lists 32,767. The check stops past that, so that
// a 64 MiB text of short distinct lines, each kept in a set, or of line ends alone costs no more than
// one of the same size made of a single line repeated.
inline constexpr qsizetype ComparedLines = 32767;

// One way a text departs from the order in which the wizard writes a Brisvane 100 or Brisvane 400
// file. The verifier's rules pass texts that the receivers would read wrongly (an end mark in the
// middle, a header twice); these findings say where.
struct SectionFinding {
    // In the order the report lists findings of the same line.
    enum class Kind { LinesAfterEnd, Marker, TranslationHeader, Event, Location, Character };

    Kind kind = Kind::Marker;
    QString title;        // "**Marker Missing or Out of Place at:"
    qsizetype line = 0;   // the first line concerned, counted from 1 as the box shows lines
    qsizetype column = 0; // for a character, counted from 1; 0 otherwise
    QString found;        // what stands there: a quoted line, or "the end of the file"
    QString expected;     // what belongs there and what to do, in plain words
    qsizetype count = 0;  // how many lines share the problem

    QString text() const; // the finding's lines, joined by CR LF
};

struct SectionCheck {
    QList<SectionFinding> findings; // at most one of each kind, in the order of their lines
    bool cut = false;               // lines past ComparedLines were not compared

    // A character the file's code page cannot hold: the save would refuse the text.
    bool hasErrors() const;
    // The findings as they follow the verifier's report, each after an empty line, and then whether
    // lines were left out; empty when there is nothing to say.
    QString report() const;
};

// Compares the text with the sections of both receivers, line by line as the Current File box shows
// lines (a CR LF, a lone CR and a lone LF each end one): the event section, the location section,
// for the Brisvane 400 the 125-line translation header and its translation lines, then the closing
// lines, and nothing after them.
SectionCheck checkSections(QStringView text);

} // namespace quenbury::sections
