#include "matchfile/lineends.h"

namespace quenbury::matchfile {

QString ForeignLineEnds::finding() const {
    return QStringLiteral("**Line End Not CR LF at:\r\nLine %1\r\n(%2 %3 without CR LF)")
        .arg(firstLine)
        .arg(count)
        .arg(count == 1 ? QStringLiteral("line ends") : QStringLiteral("lines end"));
}

std::optional<ForeignLineEnds> findForeignLineEnds(QStringView text) {
    ForeignLineEnds found;
    qsizetype line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        } else {
            if (found.count++ == 0)
                found.firstLine = line;
        }
        ++line;
    }
    if (found.count == 0)
        return std::nullopt;
    return found;
}

} // namespace quenbury::matchfile
