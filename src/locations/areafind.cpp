#include "locations/areafind.h"

#include "locations/areatable.h"

#include <QVarLengthArray>

#include <array>

namespace quenbury::locations {

namespace {

constexpr int CodeCount = 100;

int areaCode(QStringView line) {
    if (line.size() < 3 || !line[1].isDigit() || !line[2].isDigit())
        return -1;
    return line[1].digitValue() * 10 + line[2].digitValue();
}

// Keeps letters and digits only, case folded, so that "New York", "new-york" and "NewYork" meet. ASCII
// is folded by hand: this runs for every character of up to 32,767 lines a keystroke.
template <typename Out> void fold(QStringView text, Out& out) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9'))
            out.append(c);
        else if (u >= u'A' && u <= u'Z')
            out.append(QChar(char16_t(u | 0x20)));
        else if (u >= 128 && c.isLetterOrNumber())
            out.append(c.toCaseFolded());
    }
}

struct Names {
    std::array<QStringView, CodeCount> shown;
    std::array<QString, CodeCount> folded;
};

const Names& names() {
    static const Names table = [] {
        Names n;
        for (const Area& area : AreaTable) {
            const int code = areaCode(area.entireAreaLine);
            n.shown[code] = area.caption.mid(3); // after "NN-"
            fold(n.shown[code], n.folded[code]);
        }
        return n;
    }();
    return table;
}

} // namespace

QStringView areaName(QStringView line) {
    const int code = areaCode(line);
    return code < 0 ? QStringView() : names().shown[code];
}

LineQuery::LineQuery(QStringView typed) {
    for (QStringView word : typed.split(u' ', Qt::SkipEmptyParts)) {
        QString folded;
        fold(word, folded);
        if (!folded.isEmpty())
            m_words.append(folded);
    }
}

// Runs once per line and keystroke over up to 32,767 lines: the line is folded on the stack.
bool LineQuery::matches(QStringView line) const {
    if (m_words.isEmpty())
        return true;
    QVarLengthArray<QChar, 64> text;
    fold(line, text);
    const QStringView folded(text.constData(), text.size());
    const int code = areaCode(line);
    const QStringView area = code < 0 ? QStringView() : QStringView(names().folded[code]);
    for (const QString& word : m_words) {
        if (!folded.contains(word) && !area.contains(word))
            return false;
    }
    return true;
}

} // namespace quenbury::locations
