#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quenbury::matchfile {

// Calls atLineEnd(lineStart, lineEnd, isCrLf) for every line end of a text, in order: a CR LF, a lone
// CR and a lone LF each end one line, as a text box shows them. Returns where the text after the last
// line end starts, which is the text's size when it ends with a line end.
template <typename AtLineEnd> qsizetype forEachLineEnd(QStringView text, AtLineEnd&& atLineEnd) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        const bool crLf = text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        atLineEnd(start, i, crLf);
        i += crLf ? 1 : 0;
        start = i + 1;
    }
    return start;
}

// Lines whose end is a lone CR or a lone LF, where the receivers need CR LF. Lines are counted as a
// text box shows them: each CR LF, lone CR and lone LF ends one.
struct ForeignLineEnds {
    qsizetype firstLine = 0; // counted from 1
    qsizetype count = 0;

    QString finding() const; // the lines the command-line report adds, joined by CR LF
};

std::optional<ForeignLineEnds> findForeignLineEnds(QStringView text);

// The text of a box as the match file needs it: every line break the box shows (paragraph and line
// separators, a CR LF, a lone CR, a lone LF) becomes CR LF, and every other character stays as it is.
QString withCrLfLineEnds(QStringView shown);

} // namespace quenbury::matchfile
