#include "locations/areafind.h"

#include "locations/areatable.h"

#include <QVarLengthArray>

#include <algorithm>
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
    std::array<QString, CodeCount> postal; // folded
};

const Names& names() {
    static const Names table = [] {
        Names n;
        const auto add = [&n](const Area& area) {
            const int code = areaCode(area.entireAreaLine);
            n.shown[code] = area.caption.mid(3); // after "NN-"
            fold(n.shown[code], n.folded[code]);
            fold(area.postalCode, n.postal[code]);
        };
        std::for_each(AreaTable.begin(), AreaTable.end(), add);
        std::for_each(UnofferedAreas.begin(), UnofferedAreas.end(), add);
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
        if (folded.isEmpty())
            continue;
        const auto& postal = names().postal;
        const auto area = std::find(postal.begin(), postal.end(), folded);
        m_postalAreas.append(area == postal.end() ? -1 : int(area - postal.begin()));
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
    for (qsizetype i = 0; i < m_words.size(); ++i) {
        const QString& word = m_words[i];
        const bool postal = code >= 0 && m_postalAreas[i] == code;
        if (!folded.contains(word) && !area.contains(word) && !postal)
            return false;
    }
    return true;
}

} // namespace quenbury::locations
