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
#include <optional>
#include <poll.h>
#include <sys/fanotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quenbury::locations;

namespace {

// Reads the database and runs `change` while the reader stands at its second read of the file, the one
// that meets its end: fanotify holds each read in the kernel until a thread here lets it through, so
// the change falls between the reader's reads every time. Nothing when this process may not hold reads
// (CAP_SYS_ADMIN).
std::optional<DatabaseReadResult> readChanging(const QString& path, const std::function<void()>& change) {
    const int group = ::fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC | FAN_NONBLOCK, O_RDONLY);
    const int marked =
        ::fanotify_mark(group, FAN_MARK_ADD, FAN_ACCESS_PERM, AT_FDCWD, QFile::encodeName(path));
    if (group < 0 || marked != 0)
        return std::nullopt;
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
            if (answered != sizeof allow)
                return; // the reader then waits for good, and the test's time limit fails it
        }
    });
    const DatabaseReadResult read = readLocationDatabase(path);
    done = true;
    gate.join();
    ::close(group);
    return read;
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
// their codes, so each area's line, named by the area's code, opens its group, and a county's parts
// follow its line. It holds every code of the weather service's list, a part only if the list has it.
void TestLocationDatabase::shippedFile() {
    const auto read = readLocationDatabase(QStringLiteral(QUENBURY_BUILD_DATA_DIR "/locations.txt"));
    const QStringList& lines = read.database.lines;
    // CR LF ends every line, and none is blank.
    QCOMPARE(lines.join(u"\r\n"_s) + u"\r\n"_s, read.database.text);
    QCOMPARE(lines.filter(QRegularExpression(u"^[ -)+-~]{1,30}\\*$"_s)), lines);
    // State and county first, then the part digit.
    const auto unordered = [](auto& a, auto& b) { return a.mid(1, 5) + a[0] >= b.mid(1, 5) + b[0]; };
    QVERIFY(std::adjacent_find(lines.begin(), lines.end(), unordered) == lines.end());
    const QList<QByteArray> rows = readFile(QStringLiteral(QUENBURY_SERVICE_COUNTIES)).trimmed().split('\n');
    QSet<QString> service; // the codes of each row's area and whole county
    for (const QByteArray& row : rows.mid(1))
        service.unite({QString::fromLatin1(row.left(6)), QString::fromLatin1(row.mid(7, 6))});
    QSet<QString> counties;
    QSet<QString> parts;
    for (const QString& line : lines)
        (line.startsWith(u'0') ? counties : parts).insert(line.left(6));
    // Every code of the list has its line, and every part is the service's: 3,233 whole counties, 68 parts.
    QCOMPARE(service - counties, parts);
    QCOMPARE(service.size(), qsizetype(3233 + 68));
    QCOMPARE(parts.size(), qsizetype(68));
    const auto hasPostalCode = [](const Area& area) { return !area.postalCode.isEmpty(); };
    // The 50 states, the District of Columbia and the territories the drop-downs offer.
    QCOMPARE(std::count_if(AreaTable.begin(), AreaTable.end(), hasPostalCode), qsizetype(55));
    for (const Area& area : AreaTable) {
        const QString line = area.entireAreaLine.toString();
        QCOMPARE(line, u"0"_s + area.caption.left(2).toString() + u"000EntireArea*"_s);
        QVERIFY2(lines.contains(line), qPrintable(area.caption.toString()));
    }
    const QStringList list{u"x"_s, u"(001000EntireArea*)"_s};
    QCOMPARE(firstLineContaining(list, u"001000EntireArea*"), 1);
}

void TestLocationDatabase::read_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");
    const QList<TableRow> rows = readTable(u"reads.txt"_s, u" | "_s, 3);
    for (const TableRow& row : rows)
        QTest::newRow(qPrintable(row.fields[0]))
            << unescaped(row.fields[1]).toLatin1() << unescaped(row.fields[2]);
    QCOMPARE(rows.size(), 12);
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
    const bool open =
        changed && opened.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered);
    uchar* map = open ? opened.map(0, opened.size()) : nullptr;
    QVERIFY(map || !changed);
    if (map)
        map[0] = '<'; // the byte it holds, written before the read: the change below stamps no time
    const auto change = [&] {
        if (file == "<mapped>")
            map[0] = 'X';
        else
            opened.write("A*\r\n");
    };
    const std::optional<DatabaseReadResult> read =
        changed ? readChanging(path, change) : readLocationDatabase(path);
    if (!read)
        QSKIP("only a process with CAP_SYS_ADMIN can hold a read");
    const QString told = u"The location database \u201C"_s + path + u"\u201D could not be loaded: "_s;
    QString got = read->database.lines.join(u'|');
    if (read->error)
        got = u"!"_s + QString(*read->error).replace(told, QString());
    QCOMPARE(got, expected);
    QCOMPARE(read->database.byteLength, read->error ? 0 : file.size());
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
    QCOMPARE(rows.size(), 19);
}

void TestLocationDatabase::matches() {
    QFETCH(QString, typed);
    QFETCH(QString, line);
    QTEST(LineQuery(typed).matches(line), "found");
    QTEST(areaName(line).toString(), "area");
}

QTEST_APPLESS_MAIN(TestLocationDatabase)
#include "tst_locationdatabase.moc"
