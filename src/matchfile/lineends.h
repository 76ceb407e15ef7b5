#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quenbury::matchfile {

// Walks a text line by line as a text box shows its lines: a CR LF, a lone CR and a lone LF each end
// one, and what follows the last line end is a line too unless it is empty. Every count or split of
// lines in the program walks them with this, so that "line 3" means one thing everywhere.
class LineWalker {
public:
    explicit LineWalker(QStringView text)
        : m_text(text)
        , m_end(endFrom(0)) {}

    bool atLine() const { return m_start < m_text.size(); } // false once past the last line
    QStringView line() const { return m_text.sliced(m_start, m_end - m_start); } // without its line end
    qsizetype start() const { return m_start; }
    qsizetype number() const { return m_index + 1; } // counted from 1; past the last line, one more
    bool hasLineEnd() const { return m_end < m_text.size(); }
    bool endsWithCrLf() const { return m_end + 1 < m_text.size() && isCrLf(m_end); }
    // The line after this one, without moving; empty past the last line.
    QStringView next() const {
        const qsizetype start = startAfter(m_end);
        return m_text.sliced(start, endFrom(start) - start);
    }
    void advance() {
        m_start = startAfter(m_end);
        m_end = endFrom(m_start);
        ++m_index;
    }

private:
    bool isCrLf(qsizetype at) const { return m_text[at] == u'\r' && m_text[at + 1] == u'\n'; }
    qsizetype endFrom(qsizetype start) const {
        qsizetype end = start;
        while (end < m_text.size() && m_text[end] != u'\r' && m_text[end] != u'\n')
            ++end;
        return end;
    }
    qsizetype startAfter(qsizetype end) const {
        if (end >= m_text.size())
            return m_text.size();
        return end + (end + 1 < m_text.size() && isCrLf(end) ? 2 : 1);
    }

    QStringView m_text;
    qsizetype m_start = 0;
    qsizetype m_end = 0; // where the line's line end stands, or the text's end
    qsizetype m_index = 0;
};

// Lines whose end is a lone CR or a lone LF, where the receivers need CR LF.
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
