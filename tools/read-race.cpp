// read-race: a writer rewrites a 30,000-line location database in place, again and again, while the
// reader reads it with readUserFile(); counts the reads taken whole, taken empty or cut short, taken
// mixing both texts, and refused as changed. A file the writer has left empty, short or (with
// --in-place) mixed while it is stopped between two of its steps is in that state for as long as it
// is stopped, and a reader that reads it meanwhile cannot tell it from a finished file; a read that
// mixes both texts while the writer truncates first is a change during the read. Not a test (it takes a
// while); run by hand:
//
//   g++ -std=c++20 -O2 -fPIC -Isrc tools/read-race.cpp src/matchfile/{readfile,filekind}.cpp \
//       $(pkg-config --cflags --libs Qt6Core) -o /tmp/read-race && /tmp/read-race 3000 [--in-place]
//
// The writer truncates the file and writes it, as an editor saving in place does; with --in-place it
// writes over the old text without truncating it, so the file is never empty or short.
//
// The two texts have the same size and differ in every line, so a read that mixes them is never
// taken for either.

#include "matchfile/readfile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray database(char letter) {
    QByteArray text;
    for (int i = 0; i < 30000; ++i)
        text += QByteArray::number(100000 + i).rightJustified(6, '0') + QByteArray(12, letter) + "*\r\n";
    return text;
}

// Rewrites the file with each text in turn until it is stopped.
[[noreturn]] void rewriteForever(const QByteArray& path, const QByteArray& a, const QByteArray& b,
                                 bool inPlace) {
    for (bool first = true;; first = !first) {
        const QByteArray& text = first ? a : b;
        const int fd = ::open(path.constData(), inPlace ? O_WRONLY : O_WRONLY | O_TRUNC);
        if (fd < 0 || ::write(fd, text.constData(), size_t(text.size())) != text.size())
            std::_Exit(1);
        ::close(fd);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    const int reads = argc > 1 ? std::atoi(argv[1]) : 3000;
    const bool inPlace = argc > 2 && QByteArray(argv[2]) == "--in-place";
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("locations.txt")));
    const QByteArray a = database('A');
    const QByteArray b = database('B');
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(a) != a.size())
        return 1;
    file.close();

    const pid_t writer = ::fork();
    if (writer == 0)
        rewriteForever(path, a, b, inPlace);
    int whole = 0;
    int empty = 0;
    int cut = 0;
    int mixed = 0;
    int refused = 0;
    int otherwise = 0;
    for (int i = 0; i < reads; ++i) {
        const quenbury::matchfile::UserFileBytes read = quenbury::matchfile::readUserFile(path);
        const QByteArray& bytes = read.bytes;
        if (read.error && read.error->contains(QStringLiteral("changed while it was read")))
            ++refused;
        else if (read.error)
            ++otherwise;
        else if (bytes == a || bytes == b)
            ++whole;
        else if (bytes.isEmpty())
            ++empty;
        else if (a.startsWith(bytes) || b.startsWith(bytes))
            ++cut;
        else
            ++mixed;
    }
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    std::printf("%d reads: %d taken whole, %d taken empty, %d taken cut short, %d taken mixing both texts, "
                "%d refused as changed, %d failed otherwise\n",
                reads, whole, empty, cut, mixed, refused, otherwise);
    return 0;
}
