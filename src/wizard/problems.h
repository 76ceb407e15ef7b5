#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace quenbury::matchfile {
struct VerifyResult;
}
namespace quenbury::sections {
struct SectionCheck;
}

namespace quenbury::wizard {

// A place in the Current File box where the last verification found a problem.
struct Problem {
    qsizetype line = 0;   // counted from 1, as the box shows lines
    qsizetype column = 0; // of one character, counted from 1 in characters; 0 for the whole line
    bool error = false;   // the receivers' rules, or a character the save refuses; else a finding
    // The lines of the report that tell of it, counted from 0.
    qsizetype reportFirst = 0;
    qsizetype reportLast = 0;

    bool operator==(const Problem&) const = default;
};

// The problems of one verification of `text`, in the order of their lines, the receivers' errors
// before a finding on the same line. `report` is the report shown: the receivers' own, then the
// section findings. The receivers count lines by their carriage returns, which are the box's lines
// in a text whose every line ends with CR LF, as the box hands them over.
QList<Problem> findProblems(QStringView text, const matchfile::VerifyResult& result,
                            const sections::SectionCheck& check, QStringView report);

// The verdict of a verification in words, for those who cannot see the report's colour: "Green:
// nothing to report.", "Yellow: 2 findings, the first on line 10. Save File is enabled." or "Red: 1
// error on line 150. Save File is disabled." `clean` is whether the save is unlocked.
QString verdictWords(bool clean, const QList<Problem>& problems);

} // namespace quenbury::wizard
