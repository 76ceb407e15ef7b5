#include "support/fakeplatform.h"
#include "ui/mainwindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString DatabaseFolder = QStringLiteral(QUENBURY_BUILD_DATA_DIR);
const QString TabBar = u"qt_tabwidget_tabbar"_s;

// A shown, active window (shortcuts reach only the active window) that logs every button click
// and the menu's End.
struct Harness {
    FakePlatform platform;
    quenbury::ui::MainWindow window{platform, DatabaseFolder};
    QStringList clicked;

    Harness() {
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
            QObject::connect(button, &QAbstractButton::clicked, &window,
                             [this, button] { clicked.append(button->objectName()); });
        QAction* end = window.findChild<QAction*>(u"End"_s);
        QObject::connect(end, &QAction::triggered, &window,
                         [this, end] { clicked.append(end->objectName()); });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    QTabWidget* tabs() { return window.findChild<QTabWidget*>(u"SSTab1"_s); }
    QString focus() {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    // One key as the user types it, through the shortcuts first: to an open menu, else an access key
    // to the window and any other key to the control that has the focus.
    void type(const QString& key) {
        const QKeyCombination combination = QKeySequence::fromString(key, QKeySequence::PortableText)[0];
        QWidget* target = QApplication::activePopupWidget();
        if (!target)
            target =
                combination.keyboardModifiers() == Qt::AltModifier ? &window : QApplication::focusWidget();
        QVERIFY2(target, qPrintable(key));
        QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
    }
    // Tab until the named control has the focus.
    void tabTo(const QString& name) {
        for (int presses = 0; presses < 80 && focus() != name; ++presses)
            type(u"Tab"_s);
        QCOMPARE(focus(), name);
    }
    void enableAllButtons() {
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
            button->setEnabled(true);
    }
};

QString labelledBy(QAccessibleInterface* control) {
    const auto labels = control->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->object()->objectName();
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void accessKeys_data();
    void accessKeys();
    void tabOrder_data();
    void tabOrder();
    void accessibleNames_data();
    void accessibleNames();
    void everyNamedControlSpeaks();
    void brisvane100ByKeyboard();
};

void TestKeyboard::accessKeys_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("asAtStart"); // else every button is enabled
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("shownPage");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("clicked");
    const auto row = [](const char* name, int page, bool asAtStart, const QString& keys, int shownPage,
                        const QString& focus, const QString& clicked = QString()) {
        QTest::newRow(name) << page << asAtStart << keys.split(u' ') << shownPage << focus << clicked;
    };
    // A key only one control in sight has works it at once.
    row("Start: Alt+L shows Locations", 0, true, u"Alt+L"_s, 2, TabBar);
    row("Start: Alt+T shows Translations", 0, true, u"Alt+T"_s, 3, TabBar);
    row("Events: Alt+O continues", 1, true, u"Alt+O"_s, 2, TabBar, u"cmdContinue2"_s);
    row("Events: Alt+B goes back", 1, true, u"Alt+B"_s, 0, TabBar, u"cmdBack0"_s);
    row("Locations: Alt+D opens the database", 2, true, u"Alt+D"_s, 2, TabBar, u"cmbLocation4"_s);
    row("Locations: Alt+A adds", 2, false, u"Alt+A"_s, 2, TabBar, u"cmdAdd1"_s);
    row("Locations: Alt+B goes back", 2, true, u"Alt+B"_s, 1, TabBar, u"cmdBack1"_s);
    row("Translations: Alt+R Brisvane 400", 3, true, u"Alt+R"_s, 3, TabBar, u"cmdBrisvane400"_s);
    row("Translations: Alt+A adds", 3, false, u"Alt+A"_s, 3, TabBar, u"cmdAddItem2"_s);
    row("Translations: Alt+O continues", 3, false, u"Alt+O"_s, 4, TabBar, u"cmdContinue5"_s);
    row("Create File: Alt+V verifies", 4, true, u"Alt+V"_s, 4, TabBar, u"cmdCreate1"_s);
    row("Create File: Alt+B goes back", 4, true, u"Alt+B"_s, 3, TabBar, u"cmdBack5"_s);
    row("any page: Alt+F then E ends", 3, true, u"Alt+F E"_s, 3, TabBar, u"End"_s);
    // A disabled button does not share its key: the header alone has it.
    row("Locations: Alt+L before loading", 2, true, u"Alt+L"_s, 2, TabBar);
    row("Translations: Alt+C before Brisvane 400", 3, true, u"Alt+C"_s, 4, TabBar);
    row("Create File: Alt+S before verifying", 4, true, u"Alt+S"_s, 0, TabBar);
    row("Create File: Alt+E before verifying", 4, true, u"Alt+E"_s, 1, TabBar);
    // A shared key moves the focus: the page's buttons in tab order, then the header.
    row("Start: Alt+C focuses Continue", 0, true, u"Alt+C"_s, 0, u"cmdContinue1"_s);
    row("Start: Alt+C Space continues", 0, true, u"Alt+C Space"_s, 1, u"cmdSelectAll1"_s, u"cmdContinue1"_s);
    row("Start: Alt+C twice shows Create File", 0, true, u"Alt+C Alt+C"_s, 4, TabBar);
    row("Start: Alt+E focuses End", 0, true, u"Alt+E"_s, 0, u"cmdEnd1"_s);
    row("Start: Alt+E twice shows Events", 0, true, u"Alt+E Alt+E"_s, 1, TabBar);
    row("Events: Alt+S focuses SelectAll", 1, true, u"Alt+S"_s, 1, u"cmdSelectAll1"_s);
    row("Events: Alt+S Space selects all", 1, true, u"Alt+S Space"_s, 1, u"cmdSelectAll1"_s,
        u"cmdSelectAll1"_s);
    row("Events: Alt+S twice shows Start", 1, true, u"Alt+S Alt+S"_s, 0, TabBar);
    row("Events: Alt+C focuses Clear All", 1, true, u"Alt+C"_s, 1, u"cmdClearAll1"_s);
    row("Events: Alt+C Enter clears all", 1, true, u"Alt+C Return"_s, 1, u"cmdClearAll1"_s,
        u"cmdClearAll1"_s);
    row("Events: Alt+C twice shows Create File", 1, true, u"Alt+C Alt+C"_s, 4, TabBar);
    row("Events: Alt+E focuses End", 1, true, u"Alt+E"_s, 1, u"cmdEnd2"_s);
    row("Events: Alt+E twice focuses its header", 1, true, u"Alt+E Alt+E"_s, 1, TabBar);
    row("Events: Alt+E thrice comes round to End", 1, true, u"Alt+E Alt+E Alt+E"_s, 1, u"cmdEnd2"_s);
    row("Locations: Alt+L focuses Clear", 2, false, u"Alt+L"_s, 2, u"cmdClear1"_s);
    row("Locations: Alt+L twice focuses its header", 2, false, u"Alt+L Alt+L"_s, 2, TabBar);
    row("Locations: Alt+C focuses Continue", 2, true, u"Alt+C"_s, 2, u"cmdContinue3"_s);
    row("Locations: Alt+C twice shows Create File", 2, true, u"Alt+C Alt+C"_s, 4, TabBar);
    row("Locations: Alt+E focuses End", 2, true, u"Alt+E"_s, 2, u"cmdEnd3"_s);
    row("Translations: Alt+B focuses Brisvane 100", 3, true, u"Alt+B"_s, 3, u"cmdContinue4"_s);
    row("Translations: Alt+B twice focuses Back", 3, true, u"Alt+B Alt+B"_s, 3, u"cmdBack3"_s);
    row("Translations: Alt+B thrice comes round", 3, true, u"Alt+B Alt+B Alt+B"_s, 3, u"cmdContinue4"_s);
    row("Translations: Alt+B Alt+B Space goes back", 3, true, u"Alt+B Alt+B Space"_s, 2, u"cmdBack1"_s,
        u"cmdBack3"_s);
    row("Translations: Alt+C focuses Clear", 3, false, u"Alt+C"_s, 3, u"cmdClear2"_s);
    row("Translations: Alt+E focuses End", 3, true, u"Alt+E"_s, 3, u"cmdEnd4"_s);
    row("Create File: Alt+S focuses Save", 4, false, u"Alt+S"_s, 4, u"cmdSave1"_s);
    row("Create File: Alt+S twice shows Start", 4, false, u"Alt+S Alt+S"_s, 0, TabBar);
    row("Create File: Alt+C focuses Clear", 4, true, u"Alt+C"_s, 4, u"cmdClear3"_s);
    row("Create File: Alt+C twice focuses its header", 4, true, u"Alt+C Alt+C"_s, 4, TabBar);
    row("Create File: Alt+E focuses End", 4, false, u"Alt+E"_s, 4, u"cmdEnd5"_s);
}

void TestKeyboard::accessKeys() {
    QFETCH(int, page);
    QFETCH(bool, asAtStart);
    QFETCH(QStringList, keys);
    QFETCH(int, shownPage);
    QFETCH(QString, focus);
    QFETCH(QString, clicked);
    Harness h;
    h.tabs()->setCurrentIndex(page);
    if (!asAtStart)
        h.enableAllButtons();
    QCOMPARE(h.focus(), TabBar);
    for (const QString& key : keys) {
        h.type(key);
        // A button worked by its access key is released a moment later, and only then clicked.
        QTest::qWait(150);
    }
    QCOMPARE(h.clicked, clicked.isEmpty() ? QStringList() : QStringList{clicked});
    QCOMPARE(h.tabs()->currentIndex(), shownPage);
    QCOMPARE(h.window.form().SSTab1, shownPage);
    QCOMPARE(h.focus(), focus);
}

void TestKeyboard::tabOrder_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("Start") << 0 << QStringList{u"cmdContinue1"_s, u"cmdEnd1"_s};
    QStringList events{u"cmdSelectAll1"_s, u"cmdClearAll1"_s, u"cmdContinue2"_s, u"cmdBack0"_s, u"cmdEnd2"_s};
    for (int row = 1; row <= 53; ++row)
        events.append(u"Check"_s + QString::number(row));
    QTest::newRow("Events") << 1 << events;
    QTest::newRow("Locations") << 2 << QStringList{u"cmdBack1"_s,     u"cmdEnd3"_s,   u"cmbLocation4"_s,
                                                   u"cboLocation1"_s, u"lstList1"_s,  u"txtText1"_s,
                                                   u"cmdAdd1"_s,      u"cmdClear1"_s, u"cmdContinue3"_s};
    QTest::newRow("Translations") << 3 << QStringList{u"cmdContinue4"_s,      u"cmdBack3"_s,
                                                      u"cmdEnd4"_s,           u"cmdBrisvane400"_s,
                                                      u"cboTranslations1"_s,  u"lstList2"_s,
                                                      u"rtxtTranslations1"_s, u"cmdAddItem2"_s,
                                                      u"cmdClear2"_s,         u"cmdContinue5"_s,
                                                      u"txtTranslations1"_s};
    QTest::newRow("Create File") << 4 << QStringList{u"cmdBack5"_s,   u"cmdEnd5"_s,    u"txtCreate1"_s,
                                                     u"txtCreate2"_s, u"txtCreate3"_s, u"cmdCreate1"_s,
                                                     u"cmdSave1"_s,   u"cmdClear3"_s};
}

void TestKeyboard::tabOrder() {
    QFETCH(int, page);
    QFETCH(QStringList, order);
    Harness h;
    h.tabs()->setCurrentIndex(page);
    h.enableAllButtons();
    // From the header strip round to it again, forwards and backwards.
    order.prepend(TabBar);
    order.append(TabBar);
    for (const QString& direction : {u"Tab"_s, u"Shift+Tab"_s}) {
        QStringList walked{h.focus()};
        do {
            h.type(direction);
            walked.append(h.focus());
        } while (walked.last() != TabBar && walked.size() < 100);
        QCOMPARE(walked, order);
        std::reverse(order.begin(), order.end());
    }
}

void TestKeyboard::accessibleNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label"); // the label that names it on screen, if any
    const auto row = [](const char* control, const QString& name, const QString& label = QString()) {
        QTest::newRow(control) << name << label;
    };
    row("Picture1", u"Quenbury logo"_s);
    row("Check45", u"TOR-TornadoWarning"_s, u"Label2_44"_s);
    row("cmdClearAll1", u"Clear All"_s);
    row("cmdAdd1", u"Add Item>>"_s);
    row("cmbLocation4", u"Database"_s);
    // A drop-down speaks the text in its field; its label says what it is for.
    row("cboLocation1", u"Choose a state,territory and/or marine area from this menu."_s, u"lblLocation2"_s);
    row("cboTranslations1", u"Select the counties, territories and marine areas to translate."_s,
        u"lblTranslations3"_s);
    row("lstList1", u"Loaded locations"_s);
    row("lstList2", u"Loaded locations"_s);
    row("txtText1", u"Outgoing String"_s, u"lblLocation5"_s);
    row("txtTranslations1", u"Outgoing String"_s, u"lblTranslations5"_s);
    row("rtxtTranslations1", u"Loaded location database"_s);
    row("txtCreate1", u"Instructions"_s);
    row("txtCreate2", u"Current File:"_s, u"lblCreate1"_s);
    row("txtCreate3", u"File Status:"_s, u"lblCreate5"_s);
    row("SSTab1", u"Wizard pages"_s);
    row("File", u"File"_s);
}

void TestKeyboard::accessibleNames() {
    QFETCH(QString, name);
    QFETCH(QString, label);
    Harness h;
    auto* control = h.window.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(labelledBy(accessible), label);
}

void TestKeyboard::everyNamedControlSpeaks() {
    Harness h;
    int named = 0;
    for (QWidget* w : h.window.findChildren<QWidget*>()) {
        // Qt's own parts (scroll areas' viewports, the tab strip's stack) carry "qt_" names.
        if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"_s))
            continue;
        ++named;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        QVERIFY2(accessible && !accessible->text(QAccessible::Name).trimmed().isEmpty(),
                 qPrintable(w->objectName()));
    }
    QVERIFY2(named > 53 * 2 + 60, qPrintable(QString::number(named)));
}

// The nine-line Brisvane 100 file with the keyboard alone.
void TestKeyboard::brisvane100ByKeyboard() {
    Harness h;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"match.txt"_s);
    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    h.platform.savePaths.enqueue(path);
    const auto keys = [&h](const QString& sequence) {
        for (const QString& key : sequence.split(u' ')) {
            h.type(key);
            QTest::qWait(150);
        }
    };

    keys(u"Alt+C Space"_s); // Continue, shared with the Create File header
    QCOMPARE(h.tabs()->currentIndex(), 1);
    keys(u"Alt+C"_s); // Clear All, shared with the Create File header
    QCOMPARE(h.focus(), u"cmdClearAll1"_s);
    keys(u"Space"_s);
    h.tabTo(u"Check45"_s);
    keys(u"Space"_s);
    const auto& ticks = h.window.form().Check;
    QCOMPARE(std::count(ticks.begin(), ticks.end(), true), 1);
    QVERIFY(ticks[44]);
    keys(u"Alt+O"_s);
    QCOMPARE(h.tabs()->currentIndex(), 2);

    keys(u"Alt+D"_s);
    QCOMPARE(h.platform.openPaths.size(), 0);
    h.tabTo(u"cboLocation1"_s);
    keys(u"Down"_s);
    QCOMPARE(h.window.findChild<QComboBox*>(u"cboLocation1"_s)->currentText(), u"01-Alabama"_s);
    keys(u"Alt+A"_s);
    keys(u"Alt+C"_s); // Continue, shared with the Create File header
    QCOMPARE(h.focus(), u"cmdContinue3"_s);
    keys(u"Space"_s);
    QCOMPARE(h.tabs()->currentIndex(), 3);

    // The page opens with the focus on Brisvane 100, its first control; Back shares its key.
    QCOMPARE(h.focus(), u"cmdContinue4"_s);
    keys(u"Alt+B"_s);
    QCOMPARE(h.focus(), u"cmdBack3"_s);
    keys(u"Alt+B"_s);
    QCOMPARE(h.focus(), u"cmdContinue4"_s);
    keys(u"Space"_s);
    QCOMPARE(h.tabs()->currentIndex(), 4);
    keys(u"Alt+V Alt+S"_s); // Save, shared with the Start header once verifying enabled it
    QCOMPARE(h.focus(), u"cmdSave1"_s);
    keys(u"Space"_s);

    QCOMPARE(h.clicked, (QStringList{u"cmdContinue1"_s, u"cmdClearAll1"_s, u"Check45"_s, u"cmdContinue2"_s,
                                     u"cmbLocation4"_s, u"cmdAdd1"_s, u"cmdContinue3"_s, u"cmdContinue4"_s,
                                     u"cmdCreate1"_s, u"cmdSave1"_s}));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"
                                         "001000EntireArea*\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n"));
    QCOMPARE(h.platform.errors, QStringList());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
