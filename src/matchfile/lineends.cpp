#include "matchfile/lineends.h"

#include "matchfile/format.h"

namespace quenbury::matchfile {

QString ForeignLineEnds::finding() const {
    return QStringLiteral("**Line End Not CR LF at:\r\nLine %1\r\n(%2 %3 without CR LF)")
        .arg(firstLine)
        .arg(count)
        .arg(count == 1 ? QStringLiteral("line ends") : QStringLiteral("lines end"));
}

std::optional<ForeignLineEnds> findForeignLineEnds(QStringView text) {
    ForeignLineEnds found;
    for (LineWalker walker(text); walker.atLine(); walker.advance()) {
        if (walker.hasLineEnd() && !walker.endsWithCrLf() && found.count++ == 0)
            found.firstLine = walker.number();
    }
    if (found.count == 0)
        return std::nullopt;
    return found;
}

QString withCrLfLineEnds(QStringView shown) {
    QString text;
    text.reserve(shown.size() + shown.size() / 16);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown[i];
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case u'\n':
            text += LineEnd;
            break;
        case u'\r':
            text += LineEnd;
            if (i + 1 < shown.size() && shown[i + 1] == u'\n')
                ++i;
            break;
        default:
            text += c;
        }
    }
    return text;
}

} // namespace quenbury::matchfile
