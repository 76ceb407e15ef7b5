#include "support/windowharness.h"

#include <QAccessible>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using Harness = WindowHarness;

namespace {

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
    QTest::addColumn<bool>("asAtStart");    // else every button is enabled
    QTest::addColumn<QStringList>("steps"); // key>shown page:focus ("tab" the header strip, "*" any)
    QTest::addColumn<QString>("clicked");
    const auto row = [](const char* name, int page, bool asAtStart, const QString& steps,
                        const QString& clicked = QString()) {
        QTest::newRow(name) << page << asAtStart << steps.split(u' ') << clicked;
    };
    // A key only one control in sight has works it at once.
    row("Start: Alt+L shows Locations", 0, true, u"Alt+L>2:tab"_s);
    row("Start: Alt+T shows Translations", 0, true, u"Alt+T>3:tab"_s);
    row("Events: Alt+O continues", 1, true, u"Alt+O>2:tab"_s, u"cmdContinue2"_s);
    row("Events: Alt+B goes back", 1, true, u"Alt+B>0:tab"_s, u"cmdBack0"_s);
    row("Locations: Alt+D opens the database", 2, true, u"Alt+D>2:tab"_s, u"cmbLocation4"_s);
    row("Locations: Alt+A adds", 2, false, u"Alt+A>2:tab"_s, u"cmdAdd1"_s);
    row("Locations: Alt+B goes back", 2, true, u"Alt+B>1:tab"_s, u"cmdBack1"_s);
    row("Translations: Alt+R Brisvane 400", 3, true, u"Alt+R>3:tab"_s, u"cmdBrisvane400"_s);
    row("Translations: Alt+A adds", 3, false, u"Alt+A>3:tab"_s, u"cmdAddItem2"_s);
    row("Translations: Alt+O continues", 3, false, u"Alt+O>4:tab"_s, u"cmdContinue5"_s);
    row("Create File: Alt+V verifies", 4, true, u"Alt+V>4:tab"_s, u"cmdCreate1"_s);
    row("Create File: Alt+B goes back", 4, true, u"Alt+B>3:tab"_s, u"cmdBack5"_s);
    row("any page: Alt+F then E ends", 3, true, u"Alt+F>3:* E>3:tab"_s, u"End"_s);
    // A disabled button does not share its key: the header alone has it.
    row("Locations: Alt+L before loading", 2, true, u"Alt+L>2:tab"_s);
    row("Translations: Alt+C before Brisvane 400", 3, true, u"Alt+C>4:tab"_s);
    row("Create File: Alt+S before verifying", 4, true, u"Alt+S>0:tab"_s);
    row("Create File: Alt+E before verifying", 4, true, u"Alt+E>1:tab"_s);
    // A shared key moves the focus: the page's buttons in tab order, then the header, then round.
    row("Start: Alt+C Space continues", 0, true, u"Alt+C>0:cmdContinue1 Space>1:cmdSelectAll1"_s,
        u"cmdContinue1"_s);
    row("Start: Alt+C twice", 0, true, u"Alt+C>0:cmdContinue1 Alt+C>4:tab"_s);
    row("Start: Alt+E twice", 0, true, u"Alt+E>0:cmdEnd1 Alt+E>1:tab"_s);
    row("Events: Alt+S Space selects all", 1, true, u"Alt+S>1:cmdSelectAll1 Space>1:cmdSelectAll1"_s,
        u"cmdSelectAll1"_s);
    row("Events: Alt+S twice", 1, true, u"Alt+S>1:cmdSelectAll1 Alt+S>0:tab"_s);
    row("Events: Alt+C Enter clears all", 1, true, u"Alt+C>1:cmdClearAll1 Return>1:cmdClearAll1"_s,
        u"cmdClearAll1"_s);
    row("Events: Alt+C twice", 1, true, u"Alt+C>1:cmdClearAll1 Alt+C>4:tab"_s);
    row("Events: Alt+E thrice", 1, true, u"Alt+E>1:cmdEnd2 Alt+E>1:tab Alt+E>1:cmdEnd2"_s);
    row("Locations: Alt+L twice", 2, false, u"Alt+L>2:cmdClear1 Alt+L>2:tab"_s);
    row("Locations: Alt+C twice", 2, true, u"Alt+C>2:cmdContinue3 Alt+C>4:tab"_s);
    row("Locations: Alt+E focuses End", 2, true, u"Alt+E>2:cmdEnd3"_s);
    row("Translations: Alt+B thrice", 3, true,
        u"Alt+B>3:cmdContinue4 Alt+B>3:cmdBack3 Alt+B>3:cmdContinue4"_s);
    row("Translations: Alt+B Alt+B Space goes back", 3, true,
        u"Alt+B>3:cmdContinue4 Alt+B>3:cmdBack3 Space>2:cmdBack1"_s, u"cmdBack3"_s);
    row("Translations: Alt+C focuses Clear", 3, false, u"Alt+C>3:cmdClear2"_s);
    row("Translations: Alt+E focuses End", 3, true, u"Alt+E>3:cmdEnd4"_s);
    row("Create File: Alt+S twice", 4, false, u"Alt+S>4:cmdSave1 Alt+S>0:tab"_s);
    row("Create File: Alt+C twice", 4, true, u"Alt+C>4:cmdClear3 Alt+C>4:tab"_s);
    row("Create File: Alt+E focuses End", 4, false, u"Alt+E>4:cmdEnd5"_s);
}

void TestKeyboard::accessKeys() {
    QFETCH(int, page);
    QFETCH(bool, asAtStart);
    QFETCH(QStringList, steps);
    QFETCH(QString, clicked);
    Harness h;
    h.tabs()->setCurrentIndex(page);
    if (!asAtStart)
        h.enableAllButtons();
    QCOMPARE(h.focus(), TabBar);
    for (const QString& step : steps) {
        h.type(step.section(u'>', 0, 0));
        // A button worked by its access key is released a moment later, and only then clicked.
        QTest::qWait(150);
        const int shown = step.section(u'>', 1).section(u':', 0, 0).toInt();
        const QString focus = step.section(u':', 1);
        QCOMPARE(h.tabs()->currentIndex(), shown);
        QCOMPARE(h.window.form().SSTab1, shown);
        if (focus != u"*"_s) // a menu is open
            QCOMPARE(h.focus(), focus == u"tab"_s ? TabBar : focus);
    }
    QCOMPARE(h.clicked, clicked.isEmpty() ? QStringList() : QStringList{clicked});
}

void TestKeyboard::tabOrder_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    QString events = u"cmdSelectAll1 cmdClearAll1 cmdContinue2 cmdBack0 cmdEnd2"_s;
    for (int row = 1; row <= 53; ++row)
        events += u" Check"_s + QString::number(row);
    const auto row = [](const char* name, int page, const QString& order) {
        QTest::newRow(name) << page << order.split(u' ');
    };
    row("Start", 0, u"cmdContinue1 cmdEnd1"_s);
    row("Events", 1, events);
    row("Locations", 2,
        u"cmdBack1 cmdEnd3 cmbLocation4 cboLocation1 lstList1 txtText1 cmdAdd1 cmdClear1 cmdContinue3"_s);
    row("Translations", 3,
        u"cmdContinue4 cmdBack3 cmdEnd4 cmdBrisvane400 cboTranslations1 lstList2 rtxtTranslations1 "
        u"cmdAddItem2 "
        u"cmdClear2 cmdContinue5 txtTranslations1"_s);
    row("Create File", 4,
        u"cmdBack5 cmdEnd5 txtCreate1 txtCreate2 txtCreate3 cmdCreate1 cmdSave1 cmdClear3"_s);
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

    // What the handlers did shows at once: the loaded lines and count, the unlocked and chosen rows.
    keys(u"Alt+D"_s);
    QCOMPARE(h.platform.openStartFolders, QStringList{DatabaseFolder});
    QCOMPARE(h.window.findChild<QListView*>(u"lstList1"_s)->model()->rowCount(), 3308);
    QCOMPARE(h.window.findChild<QLabel*>(u"lblLocations13"_s)->text(), u"3308"_s);
    QVERIFY(h.window.findChild<QPushButton*>(u"cmdAdd1"_s)->isEnabled());
    h.tabTo(u"cboLocation1"_s);
    keys(u"Down"_s);
    QCOMPARE(h.window.findChild<QComboBox*>(u"cboLocation1"_s)->currentText(), u"01-Alabama"_s);
    QCOMPARE(h.window.form().lstList1.selectedRows(), QList<qsizetype>{0});
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
    keys(u"Alt+V"_s);
    const auto* status = h.window.findChild<QPlainTextEdit*>(u"txtCreate3"_s);
    QCOMPARE(status->palette().color(QPalette::Base), QColor(0, 255, 0));
    keys(u"Alt+S"_s); // Save, shared with the Start header once verifying enabled it
    QCOMPARE(h.focus(), u"cmdSave1"_s);
    keys(u"Space"_s);

    QCOMPARE(h.clicked, (QStringList{u"cmdContinue1"_s, u"cmdClearAll1"_s, u"Check45"_s, u"cmdContinue2"_s,
                                     u"cmbLocation4"_s, u"cmdAdd1"_s, u"cmdContinue3"_s, u"cmdContinue4"_s,
                                     u"cmdCreate1"_s, u"cmdSave1"_s}));
    QCOMPARE(readFile(path), nineLineBytes);
    QCOMPARE(h.platform.errors, QStringList());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
