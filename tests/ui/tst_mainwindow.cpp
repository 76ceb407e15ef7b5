#include "support/windowharness.h"
#include "ui/textbox.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

using namespace Qt::StringLiterals;
using quenbury::ui::MainWindow;

namespace {

QString shownText(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(w))
        return quenbury::ui::modelText(*box->document());
    if (auto* list = qobject_cast<QListView*>(w))
        return list->model()->index(0, 0).data().toString();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    return u"<no text>"_s;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void laterPagesAfterShow();
    void startState_data();
    void startState();
    void clickWalk();
    void doubleClick_data();
    void doubleClick();
    void typedText();
    void brisvane400ByMouse();
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
// shows after it: the page, the ticked boxes (the first is unticked before each click) and the End requests.
void TestMainWindow::clickWalk() {
    const QStringList walk =
        u"cmdEnd1 0 0 1, cmdContinue1 1 53 1, cmdClearAll1 1 0 1, cmdSelectAll1 1 53 1, cmdBack0 0 53 1, "
        u"cmdContinue1 1 53 1, cmdEnd2 1 52 2, cmdContinue2 2 53 2, cmdBack1 1 53 2, cmdContinue2 2 53 2, "
        u"cmdEnd3 2 52 3, cmdContinue3 3 53 3, cmdBack3 2 53 3, cmdContinue3 3 53 3, cmdBrisvane400 3 52 3, "
        u"cmdEnd4 3 52 4, cmdContinue5 4 53 4, cmdBack5 3 53 4, cmdContinue4 4 53 4, cmdCreate1 4 52 4, "
        u"cmdEnd5 4 52 5, menu 4 52 6, close 4 52 7"_s.split(u", "_s);
    WindowHarness h;
    for (const QString& step : walk) {
        const QStringList s = step.split(u' ');
        h.box(1)->setChecked(false);
        if (s[0] == u"menu"_s)
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

void TestMainWindow::doubleClick_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("target"); // a named widget, "tab", or "" for the page's background
    QTest::addColumn<int>("ticked");
    QTest::newRow("tab header") << 2 << u"tab"_s << 53;
    QTest::newRow("Events page background") << 1 << QString() << 53;
    QTest::newRow("a label is a control") << 2 << u"lblLocation2"_s << 0;
}

void TestMainWindow::doubleClick() {
    QFETCH(int, page);
    QFETCH(QString, target);
    QFETCH(int, ticked);
    WindowHarness h;
    h.chooseHeader(page);
    QVERIFY(h.click(u"cmdClearAll1"_s) || page != 1);
    for (int row = 1; row <= 53; ++row)
        h.box(row)->setChecked(false);
    QTabBar* bar = h.tabs()->tabBar();
    QWidget* shown = h.tabs()->widget(page);
    if (target == u"tab"_s)
        QTest::mouseDClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    else if (target.isEmpty())
        QTest::mouseDClick(shown, Qt::LeftButton, {}, QPoint(shown->width() - 3, shown->height() - 3));
    else
        QTest::mouseDClick(h.get<QWidget>(target), Qt::LeftButton);
    QCOMPARE(h.tickedBoxes(), ticked);
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

// A Brisvane 400 file from the shipped database, by mouse, saved and compared byte for byte.
void TestMainWindow::brisvane400ByMouse() {
    WindowHarness h;
    QTemporaryDir dir;
    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    h.platform.savePaths.enqueue(dir.filePath(u"400.txt"_s));
    QVERIFY(h.click(u"cmdContinue1"_s) && h.click(u"cmdClearAll1"_s));
    for (int row : {1, 45})
        QTest::mouseClick(h.box(row), Qt::LeftButton);
    for (const char* name : {"cmdContinue2", "cmbLocation4"})
        QVERIFY(h.click(QString::fromLatin1(name)));
    // An area is chosen as a user does, by stepping onto it with the arrow key.
    const auto choose = [&](const QString& name, int row) {
        auto* combo = h.get<QComboBox>(name);
        combo->setFocus();
        combo->setCurrentIndex(row - 1);
        QTest::keyClick(combo, Qt::Key_Down);
    };
    choose(u"cboLocation1"_s, 0); // "01-Alabama"
    QVERIFY(h.click(u"cmdAdd1"_s) && h.click(u"cmdContinue3"_s) && h.click(u"cmdBrisvane400"_s));
    choose(u"cboTranslations1"_s, 35); // "39-Ohio"
    for (const char* name : {"cmdAddItem2", "cmdContinue5", "cmdCreate1", "cmdSave1"})
        QVERIFY2(h.click(QString::fromLatin1(name)), name);
    QCOMPARE(h.get<QPlainTextEdit>(u"txtCreate3"_s)->palette().color(QPalette::Base), QColor(0, 255, 0));
    const QByteArray header = readFile(QStringLiteral(QUENBURY_TRANSLATION_HEADER));
    QCOMPARE(
        readFile(dir.filePath(u"400.txt"_s)),
        "#MatchEvent*\r\nEAN*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n001000EntireArea*\r\n" +
            header + "039000EntireArea*\r\n" + closingLines.toLatin1());
    QCOMPARE(h.platform.errors, QStringList());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
