#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quenbury::matchfile {

// Lines whose end is a lone CR or a lone LF, where the receivers need CR LF. Lines are counted as a
// text box shows them: each CR LF, lone CR and lone LF ends one.
struct ForeignLineEnds {
    qsizetype firstLine = 0; // counted from 1
    qsizetype count = 0;

    QString finding() const; // the lines the command-line report adds, joined by CR LF
};

std::optional<ForeignLineEnds> findForeignLineEnds(QStringView text);

} // namespace quenbury::matchfile
