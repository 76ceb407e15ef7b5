#include "locations/areafind.h"
#include "locations/areatable.h"
#include "locations/locationdatabase.h"
#include "support/table.h"
#include "support/testfiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <sys/fanotify.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quenbury::locations;

namespace {

// Runs `change` while the reader stands at its second read of the file, the one that meets its end:
// fanotify holds each read in the kernel until this thread lets it through, so the change falls
// between the reader's reads every time. False when this process may not hold reads (CAP_SYS_ADMIN).
bool changeAtSecondRead(const QString& path, const std::function<void()>& change,
                        const std::function<void()>& read) {
    const int group = ::fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC | FAN_NONBLOCK, O_RDONLY);
    const int marked =
        ::fanotify_mark(group, FAN_MARK_ADD, FAN_ACCESS_PERM, AT_FDCWD, QFile::encodeName(path));
    if (group < 0 || marked != 0)
        return false;
    std::atomic<bool> done = false;
    std::thread gate([&] {
        pollfd pending{group, POLLIN, 0};
        for (int reads = 0; !done || ::poll(&pending, 1, 0) > 0;) {
            fanotify_event_metadata event{};
            if (::poll(&pending, 1, 10) <= 0 || ::read(group, &event, sizeof event) != sizeof event)
                continue;
            if (++reads == 2)
                change();
            const fanotify_response allow{event.fd, FAN_ALLOW};
            const ssize_t answered = ::write(group, &allow, sizeof allow);
            ::close(event.fd);
            QCOMPARE(answered, ssize_t(sizeof allow));
        }
    });
    read();
    done = true;
    gate.join();
    ::close(group);
    return true;
}

} // namespace

class TestLocationDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shippedFile();
    void read_data();
    void read();
    void matches_data();
    void matches();
};

// The shipped database must give a clean file whatever lines the user adds from it: every line has
// at most 30 printable ASCII characters and one asterisk, at its end. Its lines are in the order of
// their codes, so each area's line, named by the area's code, opens its group.
void TestLocationDatabase::shippedFile() {
    const auto read = readLocationDatabase(QStringLiteral(QUENBURY_BUILD_DATA_DIR "/locations.txt"));
    const QStringList& lines = read.database.lines;
    // CR LF ends every line, and none is blank.
    QCOMPARE(lines.join(u"\r\n"_s) + u"\r\n"_s, read.database.text);
    QCOMPARE(lines.filter(QRegularExpression(u"^[ -)+-~]{1,30}\\*$"_s)), lines);
    const auto unordered = [](const QString& a, const QString& b) { return a.left(6) >= b.left(6); };
    QVERIFY(std::adjacent_find(lines.begin(), lines.end(), unordered) == lines.end());
    QCOMPARE(AreaTable.size(), size_t(71));
    for (const Area& area : AreaTable) {
        const QString line = area.entireAreaLine.toString();
        QCOMPARE(line, u"0"_s + area.caption.left(2).toString() + u"000EntireArea*"_s);
        QVERIFY2(lines.contains(line), qPrintable(area.caption.toString()));
    }
    const QStringList list{u"x"_s, u"(001000EntireArea*)"_s};
    QCOMPARE(firstLineContaining(list, u"001000EntireArea*"), 1);
}

void TestLocationDatabase::read_data() {
    QTest::addColumn<QByteArray>("file");  // its bytes, or "<fifo>"
    QTest::addColumn<QString>("expected"); // the lines, joined by "|", or "!" and the reason for refusing
    const auto row = [](const char* name, const QByteArray& file, const QString& expected) {
        QTest::newRow(name) << file << expected;
    };
    row("FIFO", "<fifo>", u"!it is a named pipe (FIFO), not a regular file."_s);
    row("NUL inside", QByteArray("A*\r\nB\0*\r\n", 9), u"!it holds NUL bytes, so it is not a text file."_s);
    row("too many lines", QByteArray(32768, '\n'),
        u"!it has 32768 lines, and the lists can take at most 32767."_s);
    row("line of 1,025 characters", "A*\r\n" + QByteArray(1024, 'x') + "*\r\n",
        u"!line 2 has 1025 characters, and the lists take lines of at most 1024 (a location line in a match "
        u"file is at most 31 characters)."_s);
    row("line of 1,024 characters", QByteArray(1023, 'x') + '*', QString(1023, u'x') + u'*');
    // Characters beyond 16 bits, each two UTF-16 units, are counted as characters.
    const QByteArray emoji = "\xF0\x9F\x98\x80";
    row("line of 1,024 emoji", "\xEF\xBB\xBF" + emoji.repeated(1024), u"\U0001F600"_s.repeated(1024));
    row("line of 1,025 emoji", "\xEF\xBB\xBF" + emoji.repeated(1025),
        u"!line 1 has 1025 characters, and the lists take lines of at most 1024 (a location line in a match "
        u"file is at most 31 characters)."_s);
    row("lone line ends", "A*\rB*\nC*\r\n\r\n\nD", u"A*|B*|C*|||D"_s);
    row("byte-order mark",
        "\xEF\xBB\xBF"
        "001000EntireArea*\r\n\xC3\xA9*",
        u"001000EntireArea*|\u00E9*"_s);
    // Changed between the reader's reads: a line added, and a byte written through a shared mapping,
    // which changes no timestamp.
    row("grown while read", "<grown>", u"!it changed while it was read; try again."_s);
    row("changed through a mapping while read", "<mapped>", u"!it changed while it was read; try again."_s);
    row("byte-order mark, not UTF-8",
        "\xEF\xBB\xBF"
        "A*\xE9",
        u"!it starts with a UTF-8 byte-order mark but is not UTF-8 text."_s);
}

// A file is read whole, or refused with its name and the reason, without hanging on a pipe.
void TestLocationDatabase::read() {
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"database.txt"_s);
    const bool fifo = file == "<fifo>";
    const bool changed = file == "<grown>" || file == "<mapped>";
    const int made = fifo ? ::mkfifo(QFile::encodeName(path), 0600) : int(writeFile(path, file).isEmpty());
    QCOMPARE(made, 0);
    QFile opened(path);
    uchar* map = nullptr;
    if (changed) {
        const bool open = opened.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered);
        map = open ? opened.map(0, opened.size()) : nullptr;
        QVERIFY(map);
        map[0] = '<'; // the byte it holds, written now: the change through the mapping stamps no time
    }
    const auto change = [&] {
        if (file == "<mapped>")
            map[0] = 'X';
        else
            opened.write("A*\r\n");
    };
    DatabaseReadResult read;
    const auto load = [&] { read = readLocationDatabase(path); };
    if (!changed)
        load();
    else if (!changeAtSecondRead(path, change, load))
        QSKIP("only a process with CAP_SYS_ADMIN can hold a read");
    const QString told = u"The location database \u201C"_s + path + u"\u201D could not be loaded: "_s;
    QString got = read.database.lines.join(u'|');
    if (read.error)
        got = u"!"_s + QString(*read.error).replace(told, QString());
    QCOMPARE(got, expected);
    QCOMPARE(read.database.byteLength, read.error ? 0 : file.size());
}

void TestLocationDatabase::matches_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("area");
    const QList<TableRow> rows = readTable(u"find.txt"_s, u" | "_s, 5);
    for (const TableRow& row : rows) {
        const QStringList& f = row.fields;
        QTest::newRow(qPrintable(f[0])) << f[1] << f[2] << (f[3] == u"1"_s) << f[4];
    }
    QCOMPARE(rows.size(), 12);
}

void TestLocationDatabase::matches() {
    QFETCH(QString, typed);
    QFETCH(QString, line);
    QTEST(LineQuery(typed).matches(line), "found");
    QTEST(areaName(line).toString(), "area");
}

QTEST_APPLESS_MAIN(TestLocationDatabase)
#include "tst_locationdatabase.moc"
