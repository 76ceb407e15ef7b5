#include "support/fakeplatform.h"
#include "ui/mainwindow.h"
#include "ui/qtplatform.h"
#include "ui/textbox.h"

#include "events/eventcatalogue.h"
#include "locations/areatable.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using quenbury::ui::MainWindow;

namespace {

const QString DatabaseFolder = QStringLiteral(QUENBURY_BUILD_DATA_DIR);

// A shown window with a scripted desktop behind it: no real dialog can open.
struct Harness {
    FakePlatform platform;
    MainWindow window{platform, DatabaseFolder};

    Harness() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    template <typename T> T* get(const QString& name) { return window.findChild<T*>(name); }
    QTabWidget* tabs() { return get<QTabWidget>(u"SSTab1"_s); }
    QCheckBox* box(int row) { return get<QCheckBox>(u"Check"_s + QString::number(row)); }

    int tickedBoxes() {
        int ticked = 0;
        for (int row = 1; row <= quenbury::events::EventCount; ++row)
            ticked += box(row)->isChecked() ? 1 : 0;
        return ticked;
    }
    int tickedInModel() {
        return int(std::count(window.form().Check.begin(), window.form().Check.end(), true));
    }

    // Clicks a button the user can see; false when there is none by that name.
    [[nodiscard]] bool click(const QString& name) {
        auto* button = get<QPushButton>(name);
        if (!button || !button->isVisible())
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }
    void chooseHeader(int page) {
        QTabBar* bar = tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    }
};

QString shownText(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(w))
        return quenbury::ui::modelText(*box->document());
    if (auto* list = qobject_cast<QListView*>(w)) {
        QStringList rows;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            rows.append(list->model()->index(row, 0).data().toString());
        return rows.join(u"\r\n"_s);
    }
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->lineEdit()->text();
    return u"<no text>"_s;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowFrame();
    void laterPagesAfterShow();
    void startState_data();
    void startState();
    void eventRows();
    void eventRowGeometry_data();
    void eventRowGeometry();
    void databaseLinesShownWhole_data();
    void databaseLinesShownWhole();
    void navigation_data();
    void navigation();
    void headerChoice();
    void doubleClick_data();
    void doubleClick();
    void ending_data();
    void ending();
    void typedText_data();
    void typedText();
    void unchangedBoxIsNotRewritten();
    void fileFilter_data();
    void fileFilter();
    void brisvane100EndToEnd();
};

void TestMainWindow::windowFrame() {
    Harness h;
    QCOMPARE(h.window.objectName(), u"frmMain"_s);
    QCOMPARE(h.window.windowTitle(), u"Corvanta  Quenbury(tm)"_s);
    QCOMPARE(h.window.size(), QSize(561, 426));
    auto* file = h.get<QMenu>(u"File"_s);
    QVERIFY(file);
    QCOMPARE(file->title(), u"&File"_s);
    QCOMPARE(file->actions().size(), 1);
    QCOMPARE(file->actions().first()->objectName(), u"End"_s);
    QCOMPARE(file->actions().first()->text(), u"&End"_s);

    QTabWidget* tabs = h.tabs();
    QCOMPARE(tabs->count(), 5);
    const QStringList headers{u"&Start"_s, u"&Events"_s, u"&Locations"_s, u"&Translations"_s,
                              u"&Create File"_s};
    for (int page = 0; page < 5; ++page)
        QCOMPARE(tabs->tabText(page), headers[page]);
    QCOMPARE(tabs->currentIndex(), 0);

    QCOMPARE(h.get<QLabel>(u"Label4"_s)->font().pointSizeF(), 13.8);
    const QPixmap logo = h.get<QLabel>(u"Picture1"_s)->pixmap();
    QCOMPARE(logo.deviceIndependentSize().toSize(), QSize(189, 170));
    const QImage image = logo.toImage();
    QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2).alpha() > 0); // drawn, not blank

    for (const QString& name : {u"lstList1"_s, u"lstList2"_s}) {
        auto* list = h.get<QListView>(name);
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(list->uniformItemSizes());
    }
    QCOMPARE(h.get<QListView>(u"lstList1"_s)->selectionModel(), h.window.form().lstList1.selectionModel());
    QCOMPARE(h.get<QListView>(u"lstList2"_s)->selectionModel(), h.window.form().lstList2.selectionModel());
}

// The program builds the pages after the Start page once its window is on screen: before that
// only the Start page exists; after it, every page works as if it had been built at once.
void TestMainWindow::laterPagesAfterShow() {
    FakePlatform platform;
    MainWindow window(platform, DatabaseFolder, MainWindow::LaterPages::AfterShow);
    QVERIFY(window.findChild<QPushButton*>(u"cmdContinue1"_s));
    QCOMPARE(window.findChild<QCheckBox*>(u"Check1"_s), nullptr);
    QCOMPARE(window.findChild<QTabWidget*>(u"SSTab1"_s)->count(), 5);

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.findChild<QCheckBox*>(u"Check53"_s));
    for (const char* name :
         {"cmdAdd1", "cmdClear1", "cmdEnd5", "cmdAddItem2", "cmdClear2", "cmdContinue5", "cmdSave1"})
        QVERIFY2(!window.findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled(), name);
    auto* tabs = window.findChild<QTabWidget*>(u"SSTab1"_s);
    QCOMPARE(tabs->currentIndex(), 0);
    QTest::mouseClick(window.findChild<QPushButton*>(u"cmdContinue1"_s), Qt::LeftButton);
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(tabs->currentWidget(), window.findChild<QCheckBox*>(u"Check1"_s)->parentWidget());
    for (int row = 1; row <= quenbury::events::EventCount; ++row)
        QVERIFY(window.findChild<QCheckBox*>(u"Check"_s + QString::number(row))->isChecked());
    QTest::mouseClick(window.findChild<QPushButton*>(u"cmdEnd2"_s), Qt::LeftButton);
    QCOMPARE(platform.endRequests, 1);
}

void TestMainWindow::startState_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    const auto row = [](const char* name, int page, const QString& text, bool enabled = true) {
        QTest::newRow(name) << page << text << enabled;
    };
    row("Label4", 0, u"Quenbury(tm)"_s);
    row("lblStart1", 0,
        u"Use this program to create a text file (*.txt) of events and counties (FIPS-Federal Information "
        u"Processing System) codes and translations to upload into the Brisvane units."_s);
    row("lblStart7", 0, u"Version 1.05"_s);
    row("cmdContinue1", 0, u"&Continue"_s);
    row("cmdEnd1", 0, u"&End"_s);
    row("lblEvents1", 1, u"Select Match Events"_s);
    row("Label1", 1,
        u"Click the check boxes to select the events to activate the Brisvane, then click the Continue button."_s);
    row("cmdSelectAll1", 1, u"&SelectAll"_s);
    row("cmdClearAll1", 1, u"&Clear All"_s);
    row("cmdContinue2", 1, u"C&ontinue"_s);
    row("cmdBack0", 1, u"&Back"_s);
    row("cmdEnd2", 1, u"&End"_s);
    row("lblLocations10", 2, u"Select Match Locations"_s);
    row("lblLocation2", 2,
        u"Select the locations to activate the Brisvane by choosing county, territory and/or marine areas "
        u"from "
        u"the pull down menu."_s);
    row("lblLocation7", 2, u"Click the DataBase button to load the location database."_s);
    row("cmbLocation4", 2, u"&Database"_s);
    row("lblLocation10", 2, u"Default database is at: "_s + QDir::toNativeSeparators(DatabaseFolder));
    row("lblLocation9", 2, u"FileName"_s);
    row("lblLocation8", 2, u"FileSize:"_s);
    row("lblLocation3", 2,
        u" **It is highly recommended to select the entire state codes for every state you can monitor. "
        u"These "
        u"codes end in \"000\", preceded by the state code in the format 0XX000. "_s);
    row("cboLocation1", 2, u"Choose a state,territory and/or marine area from this menu."_s);
    row("lblLocation6", 2,
        u"Highlight on a location below (or shift-click-highlight on a group of locations) and then click "
        u"the "
        u"Add Item button."_s);
    row("lblLocations12", 2, u"Num Entries:"_s);
    row("lblLocations13", 2, u"Label5"_s);
    row("lblLocation5", 2, u"Outgoing String-                                You can edit this box!"_s);
    row("txtText1", 2, u"Text1"_s);
    row("cmdAdd1", 2, u"&Add Item>>"_s, false);
    row("cmdClear1", 2, u"C&lear"_s, false);
    row("cmdContinue3", 2, u"&Continue"_s);
    row("cmdBack1", 2, u"&Back"_s);
    row("cmdEnd3", 2, u"&End"_s);
    row("lblTranslations2", 3,
        u"If you are creating a file for the Brisvane 100,   NO translations are required. Click the "
        u"Brisvane "
        u"100 button."_s);
    row("cmdContinue4", 3, u"&Brisvane 100"_s);
    row("lblTranslations1", 3, u"Choose Location Translations for the Brisvane 400"_s);
    row("lblTranslations3", 3,
        u"If you are creating a file for the Brisvane 400, click the Brisvane 400 button and select all the "
        u"locations you can monitor from the pull down menu."_s);
    row("cmdBrisvane400", 3, u"B&risvane 400"_s);
    row("cboTranslations1", 3, u"Select the counties, territories and marine areas to translate."_s);
    row("lblTranslations5", 3, u"Outgoing String--                         You can edit this box."_s);
    row("txtTranslations1", 3, u"txtTranslations1"_s);
    row("cmdAddItem2", 3, u"&Add Item>>"_s, false);
    row("cmdClear2", 3, u"&Clear"_s, false);
    row("cmdContinue5", 3, u"C&ontinue"_s, false);
    row("rtxtTranslations1", 3, u"rtxtTranslations1"_s);
    row("cmdBack3", 3, u"&Back"_s);
    row("cmdEnd4", 3, u"&End"_s);
    row("lblCreate2", 4, u"Verify and Save the file you created."_s);
    row("txtCreate1", 4,
        u"The current file appears below. Click the Verify File button to scan for format errors.\r\n"_s);
    row("lblCreate3", 4,
        u"Likely errors include: 1) Blank lines; 2) No * at end of each line; 3) A line longer than 32 "
        u"characters; 4) The file is too long (more than 2000 lines); 5) No EOFEOF* end of file mark."_s);
    row("lblCreate4", 4,
        u"Edit and correct any errors in the Curren File text box and re verify the file until no errors "
        u"appear."_s);
    row("lblCreate1", 4, u"Current File:"_s);
    row("txtCreate2", 4, u"Text1"_s);
    row("lblCreate5", 4, u"File Status:"_s);
    row("txtCreate3", 4, u"txtCreate3"_s);
    row("cmdCreate1", 4, u"&Verify File"_s);
    row("cmdSave1", 4, u"&Save File"_s, false);
    row("cmdClear3", 4, u"&Clear"_s);
    row("cmdBack5", 4, u"&Back"_s);
    row("cmdEnd5", 4, u"&End"_s, false);
}

void TestMainWindow::startState() {
    QFETCH(int, page);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    Harness h;
    auto* control = h.get<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QVERIFY(h.tabs()->widget(page)->isAncestorOf(control));
    // A box is written when its page is in sight, so look at the page as a user would.
    h.tabs()->setCurrentIndex(page);
    QCOMPARE(shownText(control), text);
    QCOMPARE(control->isEnabled(), enabled);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(combo->count(), quenbury::locations::AreaCount);
        QCOMPARE(combo->itemText(70), quenbury::locations::AreaTable[70].caption.toString());
    }
}

void TestMainWindow::eventRows() {
    Harness h;
    for (int i = 0; i < quenbury::events::EventCount; ++i) {
        const QString caption = quenbury::events::EventCatalogue[std::size_t(i)].caption.toString();
        QCheckBox* box = h.box(i + 1);
        auto* label = h.get<QLabel>(u"Label2_"_s + QString::number(i));
        QVERIFY(box && label);
        QCOMPARE(label->text(), caption);
        QCOMPARE(box->text(), QString());
        QCOMPARE(box->accessibleName(), caption);
        QVERIFY(!box->isChecked());
    }
    QCOMPARE(h.get<QLabel>(u"Label2_52"_s)->text(), u"WSA-WinterStormWatch"_s);
}

void TestMainWindow::eventRowGeometry_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("opening size") << QSize(561, 426);
    QTest::newRow("enlarged") << QSize(980, 700);
}

void TestMainWindow::eventRowGeometry() {
    QFETCH(QSize, size);
    Harness h;
    h.window.resize(size);
    QVERIFY(h.click(u"cmdContinue1"_s));
    QWidget* page = h.tabs()->widget(1);
    const auto top = [&](int row) { return h.box(row)->mapTo(page, QPoint(0, 0)).y(); };
    for (int row = 2; row <= 53; ++row) {
        if (row == 21 || row == 41)
            continue;
        QCOMPARE(top(row) - top(row - 1), 16);
    }
    QCOMPARE(top(21), top(1));
    QCOMPARE(top(41), top(8));
    QCOMPARE(top(41), top(28));

    for (int i = 0; i < quenbury::events::EventCount; ++i) {
        QCheckBox* box = h.box(i + 1);
        auto* label = h.get<QLabel>(u"Label2_"_s + QString::number(i));
        const QRect boxRect(box->mapTo(page, QPoint(0, 0)), box->size());
        const QRect labelRect(label->mapTo(page, QPoint(0, 0)), label->size());
        QVERIFY2(labelRect.left() > boxRect.right() && labelRect.left() - boxRect.right() < 8,
                 qPrintable(label->text()));
        QVERIFY(labelRect.top() <= boxRect.center().y() && boxRect.center().y() <= labelRect.bottom());
        QVERIFY2(labelRect.width() >= label->sizeHint().width(), qPrintable(label->text())); // not clipped
        QVERIFY(page->rect().contains(labelRect));
    }
    // The buttons stand above the third column.
    const QRect row41(h.box(41)->mapTo(page, QPoint(0, 0)), h.box(41)->size());
    for (const QString& name :
         {u"cmdSelectAll1"_s, u"cmdClearAll1"_s, u"cmdContinue2"_s, u"cmdBack0"_s, u"cmdEnd2"_s}) {
        auto* button = h.get<QPushButton>(name);
        const QRect rect(button->mapTo(page, QPoint(0, 0)), button->size());
        QVERIFY2(rect.bottom() < row41.top() && rect.left() >= row41.left(), qPrintable(name));
    }

    // Clicking a caption toggles its box, in the model too.
    QTest::mouseClick(h.get<QLabel>(u"Label2_44"_s), Qt::LeftButton);
    QVERIFY(!h.box(45)->isChecked());
    QVERIFY(!h.window.form().Check[44]);
}

void TestMainWindow::databaseLinesShownWhole_data() {
    QTest::addColumn<int>("page");
    QTest::newRow("lstList1") << 2;
    QTest::newRow("lstList2") << 3;
    QTest::newRow("rtxtTranslations1") << 3;
}

// At the opening size a view of database lines shows a state's own line, the one a Brisvane 100 file
// needs (19 of 20 lines are no longer), without cutting it.
void TestMainWindow::databaseLinesShownWhole() {
    QFETCH(int, page);
    Harness h;
    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    h.chooseHeader(2);
    QVERIFY(h.click(u"cmbLocation4"_s));
    h.chooseHeader(page);
    auto* view = h.get<QListView>(QString::fromLatin1(QTest::currentDataTag()));
    const QModelIndex first = view->model()->index(0, 0);
    QCOMPARE(first.data().toString(), u"001000EntireArea*"_s);
    QVERIFY2(view->sizeHintForIndex(first).width() <= view->viewport()->width(),
             qPrintable(QString::number(view->viewport()->width())));
}

void TestMainWindow::navigation_data() {
    QTest::addColumn<int>("fromPage");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("toPage");
    QTest::addColumn<int>("ticked"); // after the last click; 51 = the two unticked boxes stay so
    QTest::newRow("Start Continue") << 0 << QStringList{u"cmdContinue1"_s} << 1 << 53;
    QTest::newRow("Events Continue") << 1 << QStringList{u"cmdContinue2"_s} << 2 << 53;
    QTest::newRow("Events Back") << 1 << QStringList{u"cmdBack0"_s} << 0 << 53;
    QTest::newRow("Events SelectAll") << 1 << QStringList{u"cmdSelectAll1"_s} << 1 << 53;
    QTest::newRow("Events Clear All") << 1 << QStringList{u"cmdClearAll1"_s} << 1 << 0;
    QTest::newRow("Locations Continue") << 2 << QStringList{u"cmdContinue3"_s} << 3 << 53;
    QTest::newRow("Locations Back") << 2 << QStringList{u"cmdBack1"_s} << 1 << 53;
    QTest::newRow("Translations Brisvane 100") << 3 << QStringList{u"cmdContinue4"_s} << 4 << 53;
    QTest::newRow("Translations Brisvane 400 stays") << 3 << QStringList{u"cmdBrisvane400"_s} << 3 << 51;
    QTest::newRow("Translations Continue")
        << 3 << QStringList{u"cmdBrisvane400"_s, u"cmdContinue5"_s} << 4 << 53;
    QTest::newRow("Translations Back") << 3 << QStringList{u"cmdBack3"_s} << 2 << 53;
    QTest::newRow("Create File Back") << 4 << QStringList{u"cmdBack5"_s} << 3 << 53;
}

void TestMainWindow::navigation() {
    QFETCH(int, fromPage);
    QFETCH(QStringList, clicks);
    QFETCH(int, toPage);
    QFETCH(int, ticked);
    Harness h;
    h.chooseHeader(fromPage);
    QCOMPARE(h.tabs()->currentIndex(), fromPage);
    // Untick two boxes, so that a page change must tick them again.
    h.box(5)->setChecked(false);
    h.box(45)->setChecked(false);
    QCOMPARE(h.tickedInModel(), fromPage == 0 ? 0 : 51);

    for (const QString& name : clicks)
        QVERIFY2(h.click(name), qPrintable(name));
    QCOMPARE(h.tabs()->currentIndex(), toPage);
    QCOMPARE(h.window.form().SSTab1, toPage);
    QCOMPARE(h.tickedBoxes(), ticked);
    QCOMPARE(h.tickedInModel(), ticked);
}

void TestMainWindow::headerChoice() {
    Harness h;
    QVERIFY(h.click(u"cmdContinue1"_s));
    QTest::mouseClick(h.box(3), Qt::LeftButton);
    QTest::mouseClick(h.get<QLabel>(u"Label2_52"_s), Qt::LeftButton);
    QCOMPARE(h.tickedInModel(), 51);
    QVERIFY(h.click(u"cmdBack0"_s));
    h.chooseHeader(1);
    QCOMPARE(h.tabs()->currentIndex(), 1);
    QCOMPARE(h.tickedBoxes(), 53);

    // The access key of a header works too; choosing a header does none of a Continue's work.
    h.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window));
    QTest::keyClick(&h.window, Qt::Key_L, Qt::AltModifier);
    QCOMPARE(h.tabs()->currentIndex(), 2);
    QCOMPARE(h.window.form().SSTab1, 2);
    QCOMPARE(shownText(h.get<QPlainTextEdit>(u"txtText1"_s)), u"Text1"_s);
    QCOMPARE(h.window.wizard().variables().FileText, QString());
}

void TestMainWindow::doubleClick_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("target"); // a named widget, or "" for the page's background
    QTest::addColumn<int>("ticked");
    QTest::newRow("tab header") << 2 << u"tab"_s << 53;
    QTest::newRow("strip beside the tabs") << 2 << u"strip"_s << 53;
    QTest::newRow("Events page background") << 1 << QString() << 53;
    QTest::newRow("Create File page background") << 4 << QString() << 53;
    QTest::newRow("a label is a control") << 2 << u"lblLocation2"_s << 0;
    QTest::newRow("the logo is a control") << 0 << u"Picture1"_s << 0;
}

void TestMainWindow::doubleClick() {
    QFETCH(int, page);
    QFETCH(QString, target);
    QFETCH(int, ticked);
    Harness h;
    h.chooseHeader(page);
    for (int row = 1; row <= 53; ++row)
        h.box(row)->setChecked(false);
    QTabWidget* tabs = h.tabs();
    if (target == u"tab"_s) {
        QTest::mouseDClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(page).center());
    } else if (target == u"strip"_s) {
        const QRect bar = tabs->tabBar()->geometry();
        QVERIFY(bar.right() + 20 < tabs->width());
        QTest::mouseDClick(tabs, Qt::LeftButton, {}, QPoint(bar.right() + 10, bar.center().y()));
    } else if (target.isEmpty()) {
        QWidget* shown = tabs->widget(page);
        const QPoint corner(shown->width() - 3, shown->height() - 3);
        QCOMPARE(shown->childAt(corner), nullptr);
        QTest::mouseDClick(shown, Qt::LeftButton, {}, corner);
    } else {
        QTest::mouseDClick(h.get<QWidget>(target), Qt::LeftButton);
    }
    QCOMPARE(h.tickedBoxes(), ticked);
    QCOMPARE(h.tickedInModel(), ticked);
}

void TestMainWindow::ending_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("endRequests");
    QTest::newRow("Start End") << 0 << QStringList{u"cmdEnd1"_s} << 1;
    QTest::newRow("Events End") << 1 << QStringList{u"cmdEnd2"_s} << 1;
    QTest::newRow("Locations End") << 2 << QStringList{u"cmdEnd3"_s} << 1;
    QTest::newRow("Translations End") << 3 << QStringList{u"cmdEnd4"_s} << 1;
    QTest::newRow("Create File End before verifying") << 4 << QStringList{u"cmdEnd5"_s} << 0;
    QTest::newRow("Create File End after verifying") << 4 << QStringList{u"cmdCreate1"_s, u"cmdEnd5"_s} << 1;
    QTest::newRow("menu File End") << 3 << QStringList{u"menu"_s} << 1;
    QTest::newRow("closing the window") << 1 << QStringList{u"close"_s} << 1;
}

void TestMainWindow::ending() {
    QFETCH(int, page);
    QFETCH(QStringList, clicks);
    QFETCH(int, endRequests);
    Harness h;
    h.chooseHeader(page);
    for (const QString& name : clicks) {
        if (name == u"menu"_s)
            h.get<QAction>(u"End"_s)->trigger();
        else if (name == u"close"_s)
            QVERIFY(h.window.close());
        else
            QVERIFY2(h.click(name), qPrintable(name));
    }
    QCOMPARE(h.platform.endRequests, endRequests);
    QCOMPARE(h.platform.errors, QStringList());
}

void TestMainWindow::typedText_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("page");
    QTest::newRow("Locations box, Continue") << u"txtText1"_s << u"cmdContinue3"_s << 2;
    QTest::newRow("Current File box, Verify") << u"txtCreate2"_s << u"cmdCreate1"_s << 4;
}

void TestMainWindow::typedText() {
    QFETCH(QString, box);
    QFETCH(QString, button);
    QFETCH(int, page);
    Harness h;
    h.chooseHeader(page);
    auto* edit = h.get<QPlainTextEdit>(box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, u"A*"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, u"B\u00A0C*"_s);                   // a no-break space: byte 0xA0 in the file
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier); // a soft line break
    QTest::keyClicks(edit, u"D*"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(h.click(button));
    const QString expected = u"A*\r\nB\u00A0C*\r\nD*\r\n"_s;
    QCOMPARE(h.window.wizard().variables().FileText, expected);
    if (box == u"txtText1"_s) {
        QCOMPARE(h.window.form().txtTranslations1, expected);
        auto* next = h.get<QPlainTextEdit>(u"txtTranslations1"_s);
        QCOMPARE(shownText(next), expected);
        QCOMPARE(next->blockCount(), 4); // three lines and the empty one after the last line end
    }
}

void TestMainWindow::unchangedBoxIsNotRewritten() {
    Harness h;
    QVERIFY(h.click(u"cmdContinue1"_s));
    QVERIFY(h.click(u"cmdContinue2"_s));
    auto* box = h.get<QPlainTextEdit>(u"txtText1"_s);
    const int revision = box->document()->revision();
    QVERIFY(h.click(u"cmdBack1"_s));
    QVERIFY(h.click(u"cmdSelectAll1"_s));
    QCOMPARE(box->document()->revision(), revision);
    QVERIFY(h.click(u"cmdContinue2"_s)); // the same text again: nothing to rewrite
    QCOMPARE(box->document()->revision(), revision);
    QVERIFY(!box->toPlainText().contains(u'\r'));
}

void TestMainWindow::fileFilter_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("database dialog") << quenbury::wizard::Wizard::DatabaseFilter.toString()
                                     << u"Text files (*.txt);;All(*.*)"_s;
    QTest::newRow("save dialog") << quenbury::wizard::Wizard::SaveFilter.toString()
                                 << u"Text (*.txt);;All(*.*)"_s;
    QTest::newRow("description without pattern") << u"Lists|*.lst"_s << u"Lists (*.lst)"_s;
}

void TestMainWindow::fileFilter() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(quenbury::ui::qtFileFilter(filter), expected);
}

// The nine-line Brisvane 100 file, from the first tick to the bytes on disk.
void TestMainWindow::brisvane100EndToEnd() {
    Harness h;
    QVERIFY(h.click(u"cmdContinue1"_s));
    QVERIFY(h.click(u"cmdClearAll1"_s));
    QTest::mouseClick(h.box(45), Qt::LeftButton); // TOR-TornadoWarning
    QVERIFY(h.click(u"cmdContinue2"_s));
    QCOMPARE(h.tabs()->currentIndex(), 2);

    h.platform.openPaths.enqueue(DatabaseFolder + u"/locations.txt"_s);
    QVERIFY(h.click(u"cmbLocation4"_s));
    QCOMPARE(h.platform.openStartFolders, QStringList{DatabaseFolder});
    QCOMPARE(h.get<QListView>(u"lstList1"_s)->model()->rowCount(), 3308);
    QCOMPARE(h.get<QLabel>(u"lblLocations13"_s)->text(), u"3308"_s);
    QVERIFY(h.get<QPushButton>(u"cmdAdd1"_s)->isEnabled());

    auto* areas = h.get<QComboBox>(u"cboLocation1"_s);
    areas->setFocus();
    QTest::keyClick(areas, Qt::Key_Down); // the first row, "01-Alabama"
    QCOMPARE(areas->currentText(), u"01-Alabama"_s);
    QCOMPARE(h.window.form().lstList1.selectedRows(), QList<qsizetype>{0});

    QVERIFY(h.click(u"cmdAdd1"_s));
    QVERIFY(h.click(u"cmdContinue3"_s));
    QVERIFY(h.click(u"cmdContinue4"_s));
    QCOMPARE(h.tabs()->currentIndex(), 4);
    QVERIFY(h.click(u"cmdCreate1"_s));
    auto* status = h.get<QPlainTextEdit>(u"txtCreate3"_s);
    QCOMPARE(status->palette().color(QPalette::Base), QColor(0, 255, 0));
    QVERIFY(h.get<QPushButton>(u"cmdSave1"_s)->isEnabled());

    QTemporaryDir dir;
    const QString path = dir.filePath(u"match.txt"_s);
    h.platform.savePaths.enqueue(path);
    QVERIFY(h.click(u"cmdSave1"_s));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray expected = "#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"
                                "001000EntireArea*\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n";
    QCOMPARE(expected.size(), 101);
    QCOMPARE(saved.readAll(), expected);
    QCOMPARE(h.platform.errors, QStringList());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
