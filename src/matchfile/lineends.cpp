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
    forEachLineEnd(text, [&](qsizetype, qsizetype, bool crLf) {
        if (!crLf && found.count++ == 0)
            found.firstLine = line;
        ++line;
    });
    if (found.count == 0)
        return std::nullopt;
    return found;
}

} // namespace quenbury::matchfile
