// save-race: a second user races a symbolic link in a sticky folder that every user may write into,
// while the saver saves there again and again; counts the saves that wrote the saver's own file that
// the link points at. Not a test (it needs root and takes a while); run by hand as root:
//
//   g++ -std=c++20 -O2 -fPIC -Isrc tools/save-race.cpp src/matchfile/{savefile,encoding,filekind}.cpp \
//       $(pkg-config --cflags --libs Qt6Core) -o /tmp/save-race && /tmp/save-race 20000
//
// The second user (uid 65534) swaps the name the saver saves to between a file of its own, which
// passes any check made before the write, and a link to the saver's file. After each save the saver
// removes what the save left, so that every save meets the race afresh.

#include "matchfile/savefile.h"

#include <QString>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t SecondUser = 65534;
const std::string VictimText = "the saver's own file\n";

std::string contents(const std::string& path) {
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char buffer[256];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, std::size_t(n));
    ::close(fd);
    return text;
}

void put(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, text.data(), text.size()) != ssize_t(text.size()))
        std::exit(3);
    ::close(fd);
}

[[noreturn]] void race(const std::string& shared, const std::string& victim) {
    if (::setgid(SecondUser) != 0 || ::setuid(SecondUser) != 0)
        std::_Exit(4);
    const std::string name = shared + "/match.txt";
    const std::string plain = shared + "/.plain";
    const std::string link = shared + "/.link";
    for (;;) {
        const int fd = ::open(plain.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd >= 0)
            ::close(fd);
        ::rename(plain.c_str(), name.c_str());
        ::symlink(victim.c_str(), link.c_str());
        ::rename(link.c_str(), name.c_str());
    }
}

} // namespace

int main(int argc, char* argv[]) {
    const int saves = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (::geteuid() != 0) {
        std::fputs("save-race: run it as root, so that it can act as a second user\n", stderr);
        return 2;
    }
    char base[] = "/tmp/save-race-XXXXXX";
    if (!::mkdtemp(base) || ::chmod(base, 0755) != 0)
        return 2;
    const std::string victim = std::string(base) + "/victim.txt";
    const std::string shared = std::string(base) + "/shared";
    const std::string name = shared + "/match.txt";
    put(victim, VictimText);
    if (::mkdir(shared.c_str(), 0777) != 0 || ::chmod(shared.c_str(), 01777) != 0)
        return 2;

    const pid_t racer = ::fork();
    if (racer == 0)
        race(shared, victim);

    const QString path = QString::fromStdString(name);
    const QString text = QStringLiteral("#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n");
    int victimWritten = 0;
    int refused = 0;
    for (int i = 0; i < saves; ++i) {
        if (quenbury::matchfile::saveMatchFile(path, text))
            ++refused;
        if (contents(victim) != VictimText) {
            ++victimWritten;
            put(victim, VictimText);
        }
        ::unlink(name.c_str());
    }
    ::kill(racer, SIGKILL);
    ::waitpid(racer, nullptr, 0);
    std::printf("%d saves: the saver's own file written %d times, %d saves refused\n", saves, victimWritten,
                refused);
    const std::string clean = std::string("rm -rf '") + base + "'";
    return std::system(clean.c_str()) == 0 ? 0 : 2;
}
