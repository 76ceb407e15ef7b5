#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quenbury::matchfile {

enum class LineFeeds { Escaped, Kept };

// Text for a terminal, as `ls -b` shows a file name: a control character other than a tab (and, when
// kept, a line feed) is shown escaped ("\n", "\r", "\033", "\177"), and so is each byte that is not
// part of a valid UTF-8 character ("\377"), so that a file name or an excerpt of a file cannot move
// the cursor, clear the screen or set the terminal's title. Everything else is left as it is.
QByteArray escapeForTerminal(QByteArrayView bytes, LineFeeds lineFeeds);

} // namespace quenbury::matchfile
