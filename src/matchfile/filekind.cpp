#include "matchfile/filekind.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace quenbury::matchfile {

std::optional<QString> notARegularFile(mode_t mode) {
    if (S_ISREG(mode))
        return std::nullopt;
    const QStringView kind = S_ISDIR(mode)    ? u"a folder"
                             : S_ISFIFO(mode) ? u"a named pipe (FIFO)"
                             : S_ISCHR(mode)  ? u"a character device"
                             : S_ISBLK(mode)  ? u"a block device"
                             : S_ISSOCK(mode) ? u"a socket"
                             : S_ISLNK(mode)  ? u"a symbolic link"
                                              : u"a special file";
    return QStringLiteral("it is %1, not a regular file").arg(kind);
}

QString systemError() {
    return qt_error_string(errno);
}

} // namespace quenbury::matchfile
