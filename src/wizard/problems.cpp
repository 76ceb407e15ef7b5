#include "wizard/problems.h"

#include "matchfile/format.h"
#include "matchfile/lineends.h"
#include "matchfile/verifier.h"
#include "sections/sectioncheck.h"

#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quenbury::wizard {

namespace {

// The number of the text's last line that holds anything: where a missing end mark belongs.
qsizetype lastLine(QStringView text) {
    qsizetype last = 1;
    for (matchfile::LineWalker walker(text); walker.atLine(); walker.advance())
        last = walker.number();
    return last;
}

// "1 error on line 150", "2 findings, the first on line 10": how many problems of the one kind, and
// the first line they name; nothing for none.
QString counted(const QList<Problem>& problems, bool errors, const QString& one, const QString& many) {
    qsizetype count = 0;
    qsizetype first = 0;
    for (const Problem& problem : problems) {
        if (problem.error != errors)
            continue;
        if (count == 0)
            first = problem.line;
        ++count;
    }
    const QLocale english(QLocale::English);
    const QString line = english.toString(qlonglong(first));
    if (count == 0)
        return {};
    if (count == 1)
        return u"1 %1 on line %2"_s.arg(one, line);
    return u"%1 %2, the first on line %3"_s.arg(english.toString(qlonglong(count)), many, line);
}

} // namespace

QString verdictWords(bool clean, const QList<Problem>& problems) {
    const QString findings = counted(problems, false, u"finding"_s, u"findings"_s);
    if (clean && findings.isEmpty())
        return u"Green: nothing to report."_s;
    if (clean)
        return u"Yellow: "_s + findings + u". Save File is enabled."_s;
    QStringList told{counted(problems, true, u"error"_s, u"errors"_s), findings};
    told.removeAll(QString());
    if (told.isEmpty())
        told.append(u"the receivers' rules find errors"_s);
    return u"Red: "_s + told.join(u"; "_s) + u". Save File is disabled."_s;
}

QList<Problem> findProblems(QStringView text, const matchfile::VerifyResult& result,
                            const sections::SectionCheck& check, QStringView report) {
    // In the order the report tells of them, each with the words its part of the report starts with.
    struct Told {
        QStringView title;
        Problem problem;
    };
    QList<Told> told;
    if (result.tooManyLines)
        told.append({u"**FILE TOO LONG", {matchfile::LineCountLimit, 0, true}});
    if (result.endMarkMissing)
        told.append({u"**No End Of File Detected", {lastLine(text), 0, true}});
    if (result.LongLineFlag == 1)
        told.append({u"**Line too Long-", {result.LineCount + 1, 0, true}});
    if (result.AsteriskFlag == 1)
        told.append({u"**Asterisk Missing", {result.LineCount, 0, true}});
    for (const sections::SectionFinding& finding : check.findings) {
        const bool error = finding.kind == sections::SectionFinding::Kind::Character;
        told.append({finding.title, {finding.line, finding.column, error}});
    }

    // Each part runs from the line that starts it to the line before the next part; the receivers'
    // own end before their count of errors.
    const QList<QStringView> lines = report.split(matchfile::LineEnd);
    const qsizetype errorCount =
        std::find_if(lines.begin(), lines.end(),
                     [](QStringView line) { return line.startsWith(u"Number of Errors: "); }) -
        lines.begin();
    qsizetype at = 0;
    for (Told& part : told) {
        while (at < lines.size() && !lines[at].contains(part.title))
            ++at;
        part.problem.reportFirst = at;
    }
    QList<Problem> problems;
    for (qsizetype i = 0; i < told.size(); ++i) {
        Problem problem = told[i].problem;
        const qsizetype next = i + 1 < told.size() ? told[i + 1].problem.reportFirst : lines.size();
        problem.reportLast = problem.reportFirst < errorCount ? std::min(next, errorCount) - 1 : next - 1;
        problem.reportLast = std::max(problem.reportLast, problem.reportFirst);
        problems.append(problem);
    }
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return problems;
}

} // namespace quenbury::wizard
