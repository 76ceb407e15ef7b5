#include "support/windowharness.h"
#include "ui/textbox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

using namespace Qt::StringLiterals;
using quenbury::ui::MainWindow;

namespace {

// What a control shows: a box its text as the model reads it, a list its first line.
QString shownText(QWidget* w) {
    if (auto* box = qobject_cast<QPlainTextEdit*>(w))
        return quenbury::ui::modelText(*box->document());
    if (auto* list = qobject_cast<QListView*>(w))
        return list->model()->index(0, 0).data().toString();
    return w->property(qobject_cast<QComboBox*>(w) ? "currentText" : "text").toString();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void laterPagesAfterShow();
    void startState_data();
    void startState();
    void clickWalk();
    void typedText();
    void saveBeyondSizeLimit();
};

// The program builds the pages after the Start page once its window is on screen: before that
// only the Start page exists; after it, every page works as if it had been built at once.
void TestMainWindow::laterPagesAfterShow() {
    FakePlatform platform;
    MainWindow window(platform, DatabaseFolder, MainWindow::LaterPages::AfterShow);
    QCOMPARE(window.windowTitle(), u"Corvanta  Quenbury(tm)"_s);
    QCOMPARE(window.findChild<QCheckBox*>(u"Check1"_s), nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(561, 426));
    QTRY_VERIFY(window.findChild<QCheckBox*>(u"Check53"_s));
    QTest::mouseClick(window.findChild<QPushButton*>(u"cmdContinue1"_s), Qt::LeftButton);
    QCOMPARE(window.findChild<QTabWidget*>(u"SSTab1"_s)->currentIndex(), 1);
    QVERIFY(window.findChild<QCheckBox*>(u"Check53"_s)->isChecked());
}

void TestMainWindow::startState_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    // One control a line: its name, page, whether it starts enabled, and its text in double quotes.
    QFile file(QStringLiteral(QUENBURY_TEST_DATA "/start-state.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        const QStringList fields = line.section(u'"', 0, 0).split(u' ', Qt::SkipEmptyParts);
        QString text = line.mid(line.indexOf(u'"') + 1);
        text.truncate(text.lastIndexOf(u'"'));
        text.replace(u"\\r\\n"_s, u"\r\n"_s)
            .replace(u"{database folder}"_s, QDir::toNativeSeparators(DatabaseFolder));
        QTest::newRow(qPrintable(fields.value(0)))
            << fields.value(1).toInt() << text << (fields.value(2) == u"1"_s);
    }
}

void TestMainWindow::startState() {
    QFETCH(int, page);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    WindowHarness h;
    auto* control = h.get<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QVERIFY(h.tabs()->widget(page)->isAncestorOf(control));
    // A box is written when its page is in sight, so look at the page as a user would.
    h.tabs()->setCurrentIndex(page);
    QCOMPARE(shownText(control), text);
    QCOMPARE(control->isEnabled(), enabled);
}

// Every button, the menu's End and the close box, each clicked as a user would, and what the window
// shows after it: the page, the ticked boxes (the first is unticked before each click) and the End
// requests; and double clicks on the tab control and elsewhere.
void TestMainWindow::clickWalk() {
    const QStringList walk =
        u"cmdEnd1 0 0 1, cmdContinue1 1 53 1, cmdClearAll1 1 0 1, cmdSelectAll1 1 53 1, cmdBack0 0 53 1, "
        u"cmdContinue1 1 53 1, cmdEnd2 1 52 2, cmdContinue2 2 53 2, cmdBack1 1 53 2, cmdContinue2 2 53 2, "
        u"cmdEnd3 2 52 3, cmdContinue3 3 53 3, cmdBack3 2 53 3, cmdContinue3 3 53 3, cmdBrisvane400 3 52 3, "
        u"cmdEnd4 3 52 4, cmdContinue5 4 53 4, cmdBack5 3 53 4, cmdContinue4 4 53 4, cmdCreate1 4 52 4, "
        u"cmdEnd5 4 52 5, double:header 4 53 5, double:page 4 53 5, double:lblCreate3 4 52 5, menu 4 52 6, "
        u"close 4 52 7"_s.split(u", "_s);
    WindowHarness h;
    for (const QString& step : walk) {
        const QStringList s = step.split(u' ');
        h.box(1)->setChecked(false);
        QWidget* page = h.tabs()->currentWidget();
        QTabBar* bar = h.tabs()->tabBar();
        if (s[0] == u"double:header"_s) // a double click ticks every event, on the tab control alone
            QTest::mouseDClick(bar, Qt::LeftButton, {}, bar->tabRect(bar->currentIndex()).center());
        else if (s[0] == u"double:page"_s)
            QTest::mouseDClick(page, Qt::LeftButton, {}, QPoint(page->width() - 3, page->height() - 3));
        else if (s[0].startsWith(u"double:"_s))
            QTest::mouseDClick(h.get<QWidget>(s[0].mid(7)), Qt::LeftButton);
        else if (s[0] == u"menu"_s)
            h.get<QAction>(u"End"_s)->trigger();
        else if (s[0] == u"close"_s)
            QVERIFY(h.window.close());
        else
            QVERIFY2(h.click(s[0]), qPrintable(s[0]));
        QCOMPARE(h.tabs()->currentIndex(), s[1].toInt());
        QCOMPARE(h.window.form().SSTab1, s[1].toInt());
        QCOMPARE(h.tickedBoxes(), s[2].toInt());
        QCOMPARE(h.platform.endRequests, s[3].toInt());
    }
}

// What is typed reaches the model with CR LF line ends and every character kept.
void TestMainWindow::typedText() {
    WindowHarness h;
    h.chooseHeader(2);
    auto* edit = h.get<QPlainTextEdit>(u"txtText1"_s);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, u"A*"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, u"B\u00A0C*"_s);                   // a no-break space: byte 0xA0 in the file
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier); // a soft line break
    QTest::keyClicks(edit, u"D*"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(h.click(u"cmdContinue3"_s));
    const QString expected = u"A*\r\nB\u00A0C*\r\nD*\r\n"_s;
    QCOMPARE(h.window.wizard().variables().FileText, expected);
    auto* next = h.get<QPlainTextEdit>(u"txtTranslations1"_s);
    QCOMPARE(shownText(next), expected);
    QCOMPARE(next->blockCount(), 4); // three lines and the empty one after the last line end
}

// Past the file size limit (ulimit -f), a save through the window fails with one message, and the
// window, its text and the old file stay. The test leaves SIGXFSZ as it finds it: the program must
// keep the signal from ending it.
void TestMainWindow::saveBeyondSizeLimit() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"match.txt"_s);
    const QString made = writeFile(path, "old content");
    QCOMPARE(made, path);
    WindowHarness h;
    h.chooseHeader(4);
    auto* box = h.get<QPlainTextEdit>(u"txtCreate2"_s);
    const QString text = nineLines.repeated(100);
    box->setPlainText(text);
    const bool verified = h.click(u"cmdCreate1"_s);
    QVERIFY(verified);
    h.platform.savePaths.enqueue(path);
    rlimit limit{};
    const int got = ::getrlimit(RLIMIT_FSIZE, &limit);
    QCOMPARE(got, 0);
    const rlimit small{1024, limit.rlim_max};
    const int lowered = ::setrlimit(RLIMIT_FSIZE, &small);
    const bool clicked = h.click(u"cmdSave1"_s);
    const int restored = ::setrlimit(RLIMIT_FSIZE, &limit);
    QCOMPARE(lowered, 0);
    QCOMPARE(restored, 0);
    QVERIFY(clicked);
    QCOMPARE(h.platform.errors.size(), 1);
    const QString message = h.platform.errors.first();
    QVERIFY2(message.contains(u"File too large"_s), qPrintable(message));
    QCOMPARE(readFile(path), QByteArray("old content"));
    QCOMPARE(shownText(box), text);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
