// quenbury-bench: measures the wizard through its real widgets (offscreen) at the sizes a user can
// reach, and prints each figure's median beside its budget. Not a test: run it on a quiet machine,
// from a release build:  build/release/bin/quenbury-bench  (--long-line, --find or --verify: that
// section alone)

#include "figures.h"

#include "locations/locationdatabase.h"
#include "matchfile/encoding.h"
#include "matchfile/readfile.h"
#include "matchfile/verifier.h"
#include "sections/sectioncheck.h"
#include "ui/allocator.h"
#include "ui/mainwindow.h"
#include "ui/style.h"
#include "wizard/platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStringListModel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWindow>

#include <cstring>
#include <ctime>

using namespace Qt::StringLiterals;
using bench::medianMs;
using bench::milliseconds;

namespace {

constexpr int Runs = 7;
constexpr double FrameMs = 16.7;
constexpr double ExtremeMs = 100;
constexpr double LongLineMs = 1000;

// Answers the open dialog with a prepared path; never shows anything.
class BenchPlatform : public quenbury::wizard::Platform {
public:
    QString nextOpenPath;
    bool refusalExpected = false;
    int refusals = 0;
    QString openFileName(const QString&, const QString&) override { return nextOpenPath; }
    QString saveFileName(const QString&, const QString&) override { return {}; }
    void beep() override {}
    bool confirmDiscard(const QString&, const QString&) override { return true; }
    void showError(const QString& message) override {
        if (!refusalExpected)
            qFatal("unexpected error: %s", qPrintable(message));
        ++refusals;
    }
    void endProgram() override {}
};

QString dataFolder() {
    return quenbury::locations::defaultDatabaseFolder(QCoreApplication::applicationDirPath());
}

void settle() {
    QCoreApplication::processEvents();
    // Deletions that a torn-down window left behind are not part of the next thing timed.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// One window under measurement, driven only through its widgets.
class Session {
public:
    Session()
        : window(platform, dataFolder()) {
        window.show();
        while (!window.windowHandle() || !window.windowHandle()->isExposed())
            QCoreApplication::processEvents();
        settle();
    }

    template <typename T = QWidget> T* find(const QString& name) {
        T* w = window.findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }

    void click(const QString& button) {
        find<QAbstractButton>(button)->click();
        settle();
    }
    void type(const QString& box, const QString& text) {
        find<QPlainTextEdit>(box)->setPlainText(text);
        settle();
    }
    // As the user chooses a row: the program acts on the choice, not on a change of row.
    void choose(const QString& combo, int row) {
        auto* box = find<QComboBox>(combo);
        box->setCurrentIndex(row);
        Q_EMIT box->activated(row);
        settle();
    }
    void page(int index) {
        find<QTabWidget>(u"SSTab1"_s)->setCurrentIndex(index);
        settle();
    }
    void load(const QString& path) {
        platform.nextOpenPath = path;
        click(u"cmbLocation4"_s);
    }
    void selectAll(const QString& list) {
        QListView* view = find<QListView>(list);
        QAbstractItemModel* model = view->model();
        view->selectionModel()->select(
            QItemSelection(model->index(0, 0), model->index(model->rowCount() - 1, 0)),
            QItemSelectionModel::ClearAndSelect);
    }

    BenchPlatform platform;
    quenbury::ui::MainWindow window;
};

// A location database of `lines` lines, each a plausible location line, or each as long as the reader
// takes (`wide`), filled out with a letter the find is not asked for.
QString writeDatabase(const QTemporaryDir& dir, int lines, bool wide = false) {
    QByteArray bytes;
    bytes.reserve(qsizetype(lines) * (wide ? quenbury::locations::MaxDatabaseLineLength + 2 : 20));
    for (int i = 0; i < lines; ++i) {
        const int area = 1 + i * 98 / lines;
        QByteArray line = QByteArray::number(area).rightJustified(3, '0');
        line += i % 400 == 0
                    ? QByteArray("000EntireArea")
                    : QByteArray::number(i % 1000).rightJustified(3, '0') + "County" + QByteArray::number(i);
        if (wide)
            line = line.leftJustified(quenbury::locations::MaxDatabaseLineLength - 1, 'x');
        bytes += line + "*\r\n";
    }
    const QString path = dir.filePath(u"db-%1%2.txt"_s.arg(lines).arg(wide ? u"-wide" : u""));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A well-formed match file text of `lines` lines.
QString matchText(int lines) {
    QString text = u"#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s;
    for (int i = 5; i < lines - 3; ++i)
        text += u"0%1County%2*\r\n"_s.arg(i % 100000, 5, 10, QLatin1Char('0')).arg(i);
    text += u"YYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n"_s;
    return text;
}

// ---- Start-up, in child processes so that each start is a whole program start ------------------

qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Shows the wizard, or a bare QWidget, and prints the moment it was on screen; what happens after
// (event loop, tear-down) is no part of starting up.
int startupChild(const QString& what) {
    int argc = 1;
    char name[] = "quenbury-bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> shown;
    BenchPlatform platform;
    if (what == u"quenbury"_s) {
        quenbury::ui::installStyle(); // as the program does
        shown = std::make_unique<quenbury::ui::MainWindow>(platform, dataFolder(),
                                                           quenbury::ui::MainWindow::LaterPages::AfterShow);
    } else if (what == u"label"_s) {
        shown = std::make_unique<QLabel>(u"Quenbury(tm)"_s); // any text starts the font machinery
    } else {
        shown = std::make_unique<QWidget>();
    }
    shown->show();
    // A widget window paints while it handles its first expose.
    while (!shown->windowHandle() || !shown->windowHandle()->isExposed())
        QCoreApplication::processEvents();
    std::printf("%lld\n", monotonicNs());
    std::fflush(stdout);
    QCoreApplication::processEvents(); // whatever the program does next, it must not fail
    return 0;
}

// Runs this benchmark again as a child process on the offscreen platform; returns what it printed.
QByteArray runChild(const QStringList& arguments) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        qFatal("child %s failed", qPrintable(arguments.join(u' ')));
    return child.readAllStandardOutput();
}

// From the request to start the program to its window on screen.
double startupMs(const QString& what) {
    const qint64 requested = monotonicNs();
    const qint64 shown = runChild({u"--startup"_s, what}).trimmed().toLongLong();
    return double(shown - requested) / 1e6;
}

// ---- Peak memory, in a child process so that nothing else counts towards it -------------------

int memoryChild(const QString& databasePath) {
    int argc = 1;
    char name[] = "quenbury-bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    quenbury::ui::installStyle(); // as the program does
    Session s;
    s.load(databasePath);
    s.selectAll(u"lstList1"_s);
    s.selectAll(u"lstList2"_s);
    // A user pastes into a box on the page in sight; the program writes a box when its page is shown.
    // The pasted text is the benchmark's own and does not count: it is gone before the measurement.
    {
        const QString text = matchText(quenbury::locations::MaxListLines);
        const std::pair<int, QString> boxes[] = {
            {2, u"txtText1"_s}, {3, u"txtTranslations1"_s}, {4, u"txtCreate2"_s}, {4, u"txtCreate3"_s}};
        for (const auto& [page, box] : boxes) {
            s.page(page);
            s.type(box, text);
        }
    }
    for (int page = 0; page < 5; ++page)
        s.page(page);
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            std::printf("%s\n", line.mid(6).trimmed().constData());
            return 0;
        }
    }
    return 1;
}

double peakMemoryMb(const QString& databasePath) {
    const QByteArray kb = runChild({u"--memory"_s, databasePath}).trimmed().split(' ').value(0);
    return kb.toDouble() / 1024.0;
}

// ---- The figures --------------------------------------------------------------------------------

void measureStartup(bench::Table& table) {
    QList<double> program;
    QList<double> bare;
    QList<double> label;
    for (int i = 0; i < 3 * Runs; ++i) {
        bare.append(startupMs(u"bare"_s));
        label.append(startupMs(u"label"_s));
        program.append(startupMs(u"quenbury"_s));
    }
    const double programMs = bench::median(program);
    const double bareMs = bench::median(bare);
    const double labelMs = bench::median(label);
    std::printf(
        "  start-up: wizard %.1f ms; bare QApplication with one empty QWidget %.1f ms, with one QLabel "
        "%.1f ms (%.2f x)\n",
        programMs, bareMs, labelMs, programMs / labelMs);
    table.add(u"Start-up to the window shown, against a bare QApplication"_s, programMs / bareMs, 2, u"x"_s);
}

// Every user action at the size of a real match file: 1,999 lines in the boxes, the shipped
// database in the lists.
void measureRealSize(bench::Table& table) {
    const QString text = matchText(1999);
    const QString shipped = dataFolder() + u"/"_s + quenbury::locations::ShippedDatabaseName.toString();
    Session s;
    s.click(u"cmdContinue1"_s);
    s.click(u"cmdContinue2"_s);
    s.load(shipped);

    const auto frame = [&](const QString& name, const std::function<void()>& prepare,
                           const std::function<void()>& work) {
        table.add(name + u" (1,999 lines)"_s, medianMs(Runs, prepare, work), FrameMs, u"ms"_s);
    };
    const auto onLocations = [&] {
        s.page(2);
        s.type(u"txtText1"_s, text);
    };
    frame(
        u"Events page: Continue"_s,
        [&] {
            s.page(1);
            s.type(u"txtText1"_s, text);
        },
        [&] { s.click(u"cmdContinue2"_s); });
    int row = 0;
    frame(
        u"Locations page: choose an area"_s, [&] { row = (row + 7) % 71; },
        [&] { s.choose(u"cboLocation1"_s, row); });
    frame(u"Locations page: Add Item"_s, onLocations, [&] { s.click(u"cmdAdd1"_s); });
    frame(u"Locations page: Clear"_s, onLocations, [&] { s.click(u"cmdClear1"_s); });
    frame(u"Locations page: Continue"_s, onLocations, [&] { s.click(u"cmdContinue3"_s); });
    frame(
        u"Translations page: Brisvane 400"_s, [&] { s.page(3); }, [&] { s.click(u"cmdBrisvane400"_s); });
    frame(
        u"Translations page: choose an area"_s, [&] { row = (row + 7) % 71; },
        [&] { s.choose(u"cboTranslations1"_s, row); });
    const auto onTranslations = [&] {
        s.page(3);
        s.type(u"txtTranslations1"_s, text);
    };
    frame(u"Translations page: Add Item"_s, onTranslations, [&] { s.click(u"cmdAddItem2"_s); });
    frame(u"Translations page: Clear"_s, onTranslations, [&] { s.click(u"cmdClear2"_s); });
    frame(u"Translations page: Brisvane 100"_s, onTranslations, [&] { s.click(u"cmdContinue4"_s); });
    frame(u"Translations page: Continue"_s, onTranslations, [&] { s.click(u"cmdContinue5"_s); });
    const auto onCreate = [&] {
        s.page(4);
        s.type(u"txtCreate2"_s, text);
    };
    frame(u"Create File page: Verify File"_s, onCreate, [&] { s.click(u"cmdCreate1"_s); });
    frame(
        u"Create File page: Clear"_s,
        [&] {
            onCreate();
            s.click(u"cmdCreate1"_s);
        },
        [&] { s.click(u"cmdClear3"_s); });
    int page = 0;
    frame(
        u"A page change by its header"_s, [&] { page = (page + 1) % 5; }, [&] { s.page(page); });
}

struct Extremes {
    double load = 0;
    double choose = 0;
    double add = 0;
    double proceed = 0;
    double plainForAdd = 0;     // setPlainText, timed in the same turns as Add Item
    double plainForProceed = 0; // and as Continue
};

// setPlainText of the 650 KB text into a box of its own, the floor for any action that lays that
// text into a box. Timed in the same turns as the actions and with the same windows alive: timed
// alone, in a process that holds nothing else, the same call takes a fifth less.
class PlainBox {
public:
    PlainBox()
        : m_text(matchText(quenbury::locations::MaxListLines)) {
        m_edit.show();
    }
    double set() {
        m_edit.clear();
        settle();
        return milliseconds([&] {
            m_edit.setPlainText(m_text);
            settle();
        });
    }

private:
    QString m_text;
    QPlainTextEdit m_edit;
};

// One window at one size of database: each call times one user action on it.
class ExtremeRuns {
public:
    explicit ExtremeRuns(const QString& databasePath)
        : m_path(databasePath) {}

    double load() {
        m_session.reset();
        m_session = std::make_unique<Session>();
        return milliseconds([&] { m_session->load(m_path); });
    }
    // The area is sought from the top: the last area's line stands near the end of the list.
    double choose() {
        m_row = m_row == 70 ? 69 : 70;
        return milliseconds([&] { m_session->choose(u"cboLocation1"_s, m_row); });
    }
    double add() {
        m_session->click(u"cmdContinue2"_s); // starts the text afresh
        m_session->selectAll(u"lstList1"_s);
        return milliseconds([&] { m_session->click(u"cmdAdd1"_s); });
    }
    double proceed() {
        // A different event section each time, so that the boxes really change.
        m_session->page(1);
        m_session->click((m_flip = !m_flip) ? u"cmdClearAll1"_s : u"cmdSelectAll1"_s);
        m_session->click(u"cmdContinue2"_s);
        m_session->selectAll(u"lstList1"_s);
        m_session->click(u"cmdAdd1"_s);
        return milliseconds([&] { m_session->click(u"cmdContinue3"_s); });
    }

private:
    QString m_path;
    std::unique_ptr<Session> m_session;
    int m_row = 0;
    bool m_flip = false;
};

// The largest database the lists can hold, all of it selected and added, and half of it. The two
// sizes take turns run by run, so that whatever else the machine does weighs on both alike.
std::pair<Extremes, Extremes> measureExtremes(const QString& largest, const QString& half) {
    ExtremeRuns big(largest);
    ExtremeRuns small(half);
    PlainBox plain;
    std::pair<Extremes, Extremes> result;
    const auto alternate = [&](int runs, double (ExtremeRuns::*action)(), double Extremes::*figure,
                               double Extremes::*plainFigure = nullptr) {
        QList<double> bigMs;
        QList<double> smallMs;
        QList<double> plainMs;
        for (int i = 0; i < runs; ++i) {
            bigMs.append((big.*action)());
            smallMs.append((small.*action)());
            if (plainFigure)
                plainMs.append(plain.set());
        }
        result.first.*figure = bench::median(bigMs);
        result.second.*figure = bench::median(smallMs);
        if (plainFigure)
            result.first.*plainFigure = bench::median(plainMs);
    };
    // Loads and area choices take milliseconds: more runs keep their growth out of the noise.
    alternate(3 * Runs, &ExtremeRuns::load, &Extremes::load);
    alternate(3 * Runs, &ExtremeRuns::choose, &Extremes::choose);
    alternate(Runs, &ExtremeRuns::add, &Extremes::add, &Extremes::plainForAdd);
    alternate(Runs, &ExtremeRuns::proceed, &Extremes::proceed, &Extremes::plainForProceed);
    return result;
}

// One keystroke in the find field over the largest list: the text goes from empty to a letter no line
// holds, which hides every line, and back, which shows them all again. Those are the two keystrokes
// that change the most rows; the slower one is the figure.
void measureRefilter(bench::Table& table, const QString& database, const QString& name, double budget) {
    Session s;
    s.load(database);
    s.page(2);
    auto* find = s.find<QLineEdit>(u"txtFind1"_s);
    QList<double> hide;
    QList<double> show;
    for (int i = 0; i < 3 * Runs; ++i) {
        hide.append(milliseconds([&] {
            find->insert(u"q"_s);
            settle();
        }));
        show.append(milliseconds([&] {
            find->backspace();
            settle();
        }));
    }
    const double hideMs = bench::median(hide);
    const double showMs = bench::median(show);
    std::printf("  find over %s: a keystroke hiding all %.2f ms, showing all again %.2f ms\n",
                qPrintable(name), hideMs, showMs);
    table.add(u"Find: a keystroke refilters "_s + name, std::max(hideMs, showMs), budget, u"ms"_s);
}

// The largest list at a frame's budget, and the largest database the reader takes, every line as long
// as it may be, at the budget of a rare action.
void measureFinds(bench::Table& table, const QTemporaryDir& dir, const QString& largest) {
    measureRefilter(table, largest, u"a 32,767-line list"_s, FrameMs);
    measureRefilter(table, writeDatabase(dir, quenbury::locations::MaxListLines, true),
                    u"32,767 lines of 1,024 characters"_s, ExtremeMs);
}

// ---- A long line ----------------------------------------------------------------------------------

// A line of a megabyte, as a pasted text may hold: the boxes do not wrap lines, so it costs its length
// once and not the square of it. Each action in a fresh window, in turns. A database line that long
// is refused: the figure is how long the refusal takes.
void measureLongLine(bench::Table& table, const QTemporaryDir& dir) {
    const QByteArray line = "001" + QByteArray(1024 * 1024 - 4, 'x') + '*';
    const QString path = dir.filePath(u"long-line.txt"_s);
    QFile file(path);
    const QByteArray database = "001000EntireArea*\r\n" + line + line + "\r\n";
    if (!file.open(QIODevice::WriteOnly) || file.write(database) != database.size())
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    const QString text = QString::fromLatin1(line) + u"\r\n"_s;

    QList<double> show;
    QList<double> proceed;
    QList<double> refuse;
    for (int i = 0; i < Runs; ++i) {
        Session s;
        s.click(u"cmdContinue1"_s);
        s.click(u"cmdContinue2"_s);
        show.append(milliseconds([&] { s.type(u"txtText1"_s, text); }));
        proceed.append(milliseconds([&] { s.click(u"cmdContinue3"_s); }));
        s.platform.refusalExpected = true;
        refuse.append(milliseconds([&] { s.load(path); }));
        if (s.platform.refusals != 1 || s.find<QListView>(u"lstList1"_s)->model()->rowCount() != 0)
            qFatal("a database with a 2 MiB line was not refused");
    }
    table.add(u"Show a 1 MB line in a box"_s, bench::median(show), LongLineMs, u"ms"_s);
    table.add(u"Locations page: Continue with the 1 MB line"_s, bench::median(proceed), LongLineMs, u"ms"_s);
    table.add(u"Refuse a database with a 2 MiB line"_s, bench::median(refuse), ExtremeMs, u"ms"_s);
}

// The largest text quenbury-verify reads: `head`, then line(0), line(1), ... cut at 64 MiB.
QString largestText(const QByteArray& head, const std::function<QByteArray(qsizetype)>& line) {
    constexpr qsizetype Size = quenbury::matchfile::MaxUserFileSize;
    QByteArray bytes = head;
    bytes.reserve(Size + 64);
    for (qsizetype i = 0; bytes.size() < Size; ++i)
        bytes += line(i);
    bytes.truncate(Size);
    return quenbury::matchfile::decodeWindows1252(bytes).value();
}

// The section check of the texts that cost it the most per byte, against the same size of one location
// line repeated, each timed in turns with it: lines that are each a finding (no set keeps them), line
// ends alone.
void measureLargestTexts(bench::Table& table) {
    const QByteArray events = "#MatchEvent*\r\n";
    const QByteArray locations = events + "TOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n";
    // Three of the 254 bytes that end no line, and a line feed: 16.4 million distinct lines.
    const auto shortLine = [](qsizetype i) {
        const auto digit = [](qsizetype d) { return char(d + (d >= 10 ? 1 : 0) + (d >= 12 ? 1 : 0)); };
        const char line[] = {digit(i / 254 / 254 % 254), digit(i / 254 % 254), digit(i % 254), '\n'};
        return QByteArray(line, sizeof line);
    };
    const auto locationLine = [](qsizetype i) {
        return QByteArray::number(i % 1000000).rightJustified(6, '0') + QByteArray::number(i, 16) + "*\r\n";
    };
    const QString repeated = largestText({}, [](qsizetype) { return QByteArray("001000EntireArea*\r\n"); });
    const auto check = [](const QString& text) {
        volatile qsizetype sink = quenbury::sections::checkSections(text).findings.size();
        (void)sink;
    };
    const struct {
        QString name;
        QByteArray head;
        std::function<QByteArray(qsizetype)> line;
    } worst[] = {
        {u"distinct short event lines"_s, events, shortLine},
        {u"distinct short location lines"_s, locations, shortLine},
        {u"CR alone"_s, {}, [](qsizetype) { return QByteArray(4096, '\r'); }},
        {u"LF alone"_s, {}, [](qsizetype) { return QByteArray(4096, '\n'); }},
    };
    for (const auto& w : worst) {
        const QString text = largestText(w.head, w.line);
        QList<double> base;
        QList<double> times;
        for (int i = 0; i < 15; ++i) {
            base.append(milliseconds([&] { check(repeated); }));
            times.append(milliseconds([&] { check(text); }));
        }
        std::printf("  sections of 64 MiB: one location line repeated %.2f ms, %s %.2f ms\n",
                    bench::median(base), qPrintable(w.name), bench::median(times));
        table.add(u"Sections of 64 MiB of %1, to one line repeated"_s.arg(w.name),
                  bench::median(times) / bench::median(base), 1.5, u"x"_s);
    }
    // Coded lines, each kept to find repeats: up to the cut, the work of the 32,767-line text.
    const QString distinct = largestText(locations, locationLine);
    table.add(u"Sections of 64 MiB of distinct location lines"_s,
              medianMs(
                  15, [] {}, [&] { check(distinct); }),
              5.0, u"ms"_s);
}

void measureVerifier(bench::Table& table) {
    // A real file's size and the largest text the boxes are designed for: what Verify File runs, the
    // receivers' rules and then the sections.
    for (const auto& [lines, budget] :
         {std::pair{1999, 1.0}, std::pair{quenbury::locations::MaxListLines, 5.0}}) {
        const QString text = matchText(lines);
        volatile qsizetype sink = 0;
        const double ms = medianMs(
            15, [] {},
            [&] {
                sink = quenbury::matchfile::verify(text).LineCount;
                sink = quenbury::sections::checkSections(text).findings.size();
            });
        (void)sink;
        table.add(u"Verify and check the sections of a %1-line text"_s.arg(
                      QLocale(QLocale::English).toString(lines)),
                  ms, budget, u"ms"_s);
    }
    measureLargestTexts(table);
}

// The facts behind the list and text box choices, measured on this machine's Qt.
void measureQtFacts() {
    std::printf("\nQt facts (%s):\n", qVersion());
    QStringList lines;
    for (int i = 0; i < quenbury::locations::MaxListLines; ++i)
        lines.append(u"0%1County%2*"_s.arg(i % 100000, 5, 10, QLatin1Char('0')).arg(i));
    for (bool uniform : {true, false}) {
        QStringListModel model;
        QListView view;
        view.setUniformItemSizes(uniform);
        view.setModel(&model);
        view.resize(200, 300);
        view.show();
        settle();
        const double ms = milliseconds([&] {
            model.setStringList(lines);
            view.repaint();
            settle();
        });
        std::printf("  QListView, %d lines, %s uniform item sizes: %.1f ms\n", int(lines.size()),
                    uniform ? "with" : "without", ms);
    }
    for (int rows : {2048, 4096, 8192}) {
        QStringListModel model(lines.mid(0, rows));
        QItemSelectionModel selection(&model);
        const double oneByOne = milliseconds([&] {
            for (int row = 0; row < model.rowCount(); ++row)
                selection.select(model.index(row), QItemSelectionModel::Select);
        });
        selection.clearSelection();
        const double ranges = milliseconds([&] {
            selection.select(QItemSelection(model.index(0), model.index(model.rowCount() - 1)),
                             QItemSelectionModel::Select);
        });
        std::printf("  selecting %d rows one at a time: %.1f ms; as one range: %.3f ms\n", rows, oneByOne,
                    ranges);
    }
    QPlainTextEdit edit;
    edit.show();
    const QString text = matchText(quenbury::locations::MaxListLines);
    const double setText = medianMs(
        5,
        [&] {
            edit.clear();
            settle();
        },
        [&] {
            edit.setPlainText(text);
            settle();
        });
    std::printf("  QPlainTextEdit::setPlainText with %lld KB (%d lines): %.1f ms\n",
                qlonglong(text.size() / 1024), quenbury::locations::MaxListLines, setText);
}

} // namespace

int main(int argc, char* argv[]) {
    quenbury::ui::keepLargeTextsOutOfTheHeap(); // as the program does
    if (argc == 3 && std::strcmp(argv[1], "--startup") == 0)
        return startupChild(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0)
        return memoryChild(QString::fromLocal8Bit(argv[2]));

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quenbury::ui::installStyle(); // as the program does
    QTemporaryDir dir;
    const QString largest = writeDatabase(dir, quenbury::locations::MaxListLines);
    const QString half = writeDatabase(dir, 16384);

    std::printf("Quenbury benchmark: median of %d runs each, offscreen, Qt %s\n\n", Runs, qVersion());
    bench::Table table;
    if (argc == 2 && std::strcmp(argv[1], "--long-line") == 0) { // this section alone
        measureLongLine(table, dir);
        return table.print() ? 0 : 1;
    }
    if (argc == 2 && std::strcmp(argv[1], "--verify") == 0) { // this section alone
        measureVerifier(table);
        return table.print() ? 0 : 1;
    }
    if (argc == 2 && std::strcmp(argv[1], "--find") == 0) { // the find alone
        measureFinds(table, dir, largest);
        return table.print() ? 0 : 1;
    }
    measureStartup(table);
    measureRealSize(table);

    const auto [full, halfSize] = measureExtremes(largest, half);
    struct Named {
        QString full;
        QString shortName;
        double Extremes::*member;
    };
    const QList<Named> extremes = {
        {u"Load a 32,767-line database into both lists"_s, u"load"_s, &Extremes::load},
        {u"Choose an area in a 32,767-line list"_s, u"choose an area"_s, &Extremes::choose},
        {u"Add Item with all 32,767 lines selected (650 KB text)"_s, u"Add Item"_s, &Extremes::add},
        {u"Locations page: Continue with the 650 KB text"_s, u"Continue"_s, &Extremes::proceed},
    };
    for (const Named& e : extremes)
        table.add(e.full, full.*e.member, ExtremeMs, u"ms"_s);
    for (const Named& e : extremes)
        table.add(u"Growth from 16,384 to 32,767 lines: "_s + e.shortName,
                  full.*e.member / (halfSize.*e.member), 2.3, u"x"_s);
    std::printf("  setPlainText of the 650 KB text in the same turns: %.1f ms beside Add Item, %.1f ms "
                "beside Continue\n",
                full.plainForAdd, full.plainForProceed);
    table.add(u"Add Item (650 KB), to setPlainText in the same turns"_s, full.add / full.plainForAdd, 1.0,
              u"x"_s);
    table.add(u"Continue (650 KB), to setPlainText in the same turns"_s, full.proceed / full.plainForProceed,
              1.0, u"x"_s);

    measureFinds(table, dir, largest);
    measureVerifier(table);
    measureLongLine(table, dir);
    table.add(u"Peak memory, both lists full and 32,767 lines in every box"_s, peakMemoryMb(largest), 80,
              u"MB"_s);

    const bool within = table.print();
    measureQtFacts();
    std::printf("\n%s\n",
                within ? "Every figure is within its budget." : "Some figures are over their budget.");
    return within ? 0 : 1;
}
