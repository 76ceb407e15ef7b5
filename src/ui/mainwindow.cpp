#include "ui/mainwindow.h"

#include "ui/accesskeys.h"
#include "ui/createfilepage.h"
#include "ui/eventspage.h"
#include "ui/locationspage.h"
#include "ui/startpage.h"
#include "ui/translationspage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSizeGrip>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWindow>

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

using wizard::Wizard;

namespace {

// The client area the receivers' owners know, 8412 x 6384 twips, at 15 twips per pixel.
constexpr QSize ClientSize(561, 426);

const std::array<QString, wizard::PageCount> Headers{u"&Start"_s, u"&Events"_s, u"&Locations"_s,
                                                     u"&Translations"_s, u"&Create File"_s};

} // namespace

MainWindow::MainWindow(wizard::Platform& platform, const QString& databaseFolder, LaterPages later,
                       QWidget* parent)
    : QMainWindow(parent)
    , m_wizard(m_form, platform, databaseFolder) {
    setObjectName(u"frmMain"_s);
    setWindowTitle(u"Corvanta  Quenbury(tm)"_s);
    // The pages were laid out for a small dialog font: at the usual desktop size the Events page's
    // three columns and the Locations page would not fit the window's opening size. Set before any
    // control is made, so that none is laid out in another font first.
    QFont windowFont = font();
    windowFont.setPointSizeF(8);
    setFont(windowFont);
    m_SSTab1 = new QTabWidget(this);
    m_lblSaved = new QLabel(statusBar());
    m_lblPlace = new QLabel(statusBar());

    QMenu* file = menuBar()->addMenu(u"&File"_s);
    file->setObjectName(u"File"_s);
    file->setAccessibleName(u"File"_s);
    QAction* open = file->addAction(u"&Open\u2026"_s);
    open->setObjectName(u"Open"_s);
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, [this] { run([this] { m_wizard.Open_Click(); }); });
    QAction* end = file->addAction(u"&End"_s);
    end->setObjectName(u"End"_s);
    connect(end, &QAction::triggered, this, [this] { run([this] { m_wizard.End_Click(); }); });

    m_SSTab1->setObjectName(u"SSTab1"_s);
    m_SSTab1->setAccessibleName(u"Wizard pages"_s);
    setCentralWidget(m_SSTab1);
    const ActionRunner runner = [this](const std::function<void()>& handler) { run(handler); };
    addPage(wizard::StartPage, new StartPage(m_wizard, runner));
    // The other pages' places are held until the pages themselves are built.
    for (std::size_t page = wizard::EventsPage; page < Headers.size(); ++page)
        m_SSTab1->addTab(new QWidget, Headers[page]);
    // The logo is drawn once, for the Start page; the window icon reuses that drawing.
    if (const auto* logo = findChild<QLabel*>(u"Picture1"_s))
        setWindowIcon(QIcon(logo->pixmap()));

    // The word of a save stays in sight on every page, where a screen reader hears it change.
    m_lblSaved->setObjectName(u"lblSaved"_s);
    m_lblSaved->setTextFormat(Qt::PlainText);
    m_lblSaved->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblSaved->setSizePolicy(QSizePolicy::Ignored,
                              QSizePolicy::Preferred); // a long path never widens the window
    statusBar()->addWidget(m_lblSaved, 1);
    m_lblPlace->setObjectName(u"lblPlace"_s);
    statusBar()->addPermanentWidget(m_lblPlace);
    // Named for a screen reader, which otherwise says only what they are.
    menuBar()->setAccessibleName(u"Menu"_s);
    statusBar()->setAccessibleName(u"Status"_s);
    if (auto* grip = statusBar()->findChild<QSizeGrip*>())
        grip->setAccessibleName(u"Resize the window"_s);

    connect(m_SSTab1, &QTabWidget::currentChanged, this, [this](int page) {
        if (!m_refreshing)
            run([this, page] { m_wizard.ShowPage(page); });
    });
    connect(m_SSTab1, &QTabWidget::tabBarDoubleClicked, this,
            [this] { run([this] { m_wizard.SSTab1_DblClick(); }); });
    // A double click on the header strip beside the tabs, or on a page where no control is.
    m_SSTab1->installEventFilter(this);
    m_SSTab1->tabBar()->installEventFilter(this);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] { run([this] { m_wizard.Find_Shortcut(); }); });

    m_wizard.Form_Load();
    if (later == LaterPages::AtOnce)
        completePages();
    else
        refresh();
    // The status bar adds to the window's height: the pages keep their client area.
    resize(ClientSize + QSize(0, statusBar()->sizeHint().height()));
    moveFocus(false);
}

MainWindow::~MainWindow() {
    // The pages use the form model's lists: let them go before the model does.
    delete m_SSTab1;
}

// Puts the page in its place, and Tab's way from the header strip through it: the pages out of sight
// are skipped, so each page's chain can start right after the strip.
void MainWindow::addPage(int index, WizardPage* page) {
    const QSignalBlocker quiet(m_SSTab1); // swapping a page in is no page change the user made
    if (QWidget* placeholder = m_SSTab1->widget(index)) {
        const int shown = m_SSTab1->currentIndex();
        m_SSTab1->removeTab(index);
        delete placeholder;
        m_SSTab1->insertTab(index, page, Headers[std::size_t(index)]);
        m_SSTab1->setCurrentIndex(shown);
    } else {
        m_SSTab1->addTab(page, Headers[std::size_t(index)]);
    }
    QWidget* previous = m_SSTab1->tabBar();
    for (QWidget* w : page->tabOrder())
        QWidget::setTabOrder(std::exchange(previous, w), w);
    page->installEventFilter(this); // double clicks on the page's background
    m_pages.push_back(page);
}

// Builds the pages after the Start page, once.
void MainWindow::completePages() {
    if (m_pages.size() == wizard::PageCount)
        return;
    const ActionRunner runner = [this](const std::function<void()>& handler) { run(handler); };
    addPage(wizard::EventsPage, new EventsPage(m_wizard, runner));
    addPage(wizard::LocationsPage, new LocationsPage(m_wizard, runner));
    addPage(wizard::TranslationsPage, new TranslationsPage(m_wizard, runner));
    auto* createFile = new CreateFilePage(m_wizard, runner);
    connect(createFile, &CreateFilePage::cursorPlaceChanged, m_lblPlace, &QLabel::setText);
    addPage(wizard::CreateFilePage, createFile);
    new AccessKeys(m_SSTab1);
    refresh();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_pages.size() < wizard::PageCount && windowHandle())
        windowHandle()->installEventFilter(this); // to learn when the window first reaches the screen
}

void MainWindow::run(const std::function<void()>& handler) {
    completePages(); // every handler may show or write any page
    for (WizardPage* page : m_pages)
        page->storeEdits();
    const QString focus = focusName();
    m_form.focus = focus;
    handler();
    refresh();
    if (m_form.focus != focus)
        moveFocus(true);
    speak();
}

// A screen reader hears a change of the focused control's description, while a label elsewhere or a
// colour reaches nobody: the word of a Verify File or a save becomes the description of the control
// that has the focus after it, until the word no longer holds or the next one comes.
void MainWindow::speak() {
    const bool newWords = std::exchange(m_spokenCount, m_form.spokenCount) != m_form.spokenCount;
    if (!newWords && !m_form.spoken.isEmpty())
        return;
    QWidget* target = m_form.spoken.isEmpty() ? nullptr : focusTarget();
    if (m_speaking && m_speaking != target) {
        m_speaking->removeEventFilter(this);
        m_speaking->setAccessibleDescription(std::exchange(m_ownDescription, {}));
    }
    if (target && target != m_speaking)
        m_ownDescription = target->accessibleDescription();
    m_speaking = target;
    if (!target)
        return;
    // After a dialog the window gets the focus back a moment later, from the desktop: the word waits
    // for it, so that it is heard as a change of the focused control, not of one out of focus.
    if (QApplication::focusWidget())
        target->setAccessibleDescription(m_form.spoken);
    else
        target->installEventFilter(this);
}

void MainWindow::refresh() {
    m_refreshing = true;
    if (m_SSTab1->currentIndex() != m_form.SSTab1)
        m_SSTab1->setCurrentIndex(m_form.SSTab1);
    m_lblSaved->setText(m_form.lblSaved);
    m_lblSaved->setToolTip(m_form.lblSaved); // whole, when the bar cuts a long path
    for (WizardPage* page : m_pages)
        page->refresh();
    m_refreshing = false;
}

// The name of the control that has the focus, as the form model names it.
QString MainWindow::focusName() const {
    if (m_SSTab1->tabBar()->hasFocus())
        return Wizard::HeaderStrip.toString();
    // Inside a control (the field of a drop-down), the control itself.
    for (const QWidget* w = focusWidget(); w && w != this; w = w->parentWidget()) {
        if (!w->objectName().isEmpty())
            return w->objectName();
    }
    return {};
}

QWidget* MainWindow::focusTarget() const {
    return m_form.focus == Wizard::HeaderStrip ? m_SSTab1->tabBar() : findChild<QWidget*>(m_form.focus);
}

void MainWindow::moveFocus(bool showMark) {
    QWidget* target = focusTarget();
    if (!target)
        return;
    if (showMark)
        setAttribute(Qt::WA_KeyboardFocusChange); // a check box shows its focus only so
    // A find field reached by its shortcut selects what it holds, ready to be typed over.
    target->setFocus(qobject_cast<QLineEdit*>(target) ? Qt::ShortcutFocusReason : Qt::OtherFocusReason);
}

bool MainWindow::isPageBackground(QWidget* page, QPoint pos) const {
    // Every control carries a name; only the page itself and unnamed containers are background.
    for (QWidget* w = page->childAt(pos); w && w != page; w = w->parentWidget()) {
        if (!w->objectName().isEmpty())
            return false;
    }
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        // The expose paints the Start page; the other pages are built right after it, queued
        // ahead of any input, so the user never meets a page still to be built.
        windowHandle()->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &MainWindow::completePages, Qt::QueuedConnection);
        return false;
    }
    if (watched == m_speaking && event->type() == QEvent::FocusIn) {
        m_speaking->removeEventFilter(this);
        // After Qt has told of the focus, which it does once the focus event is handled.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_speaking)
                    m_speaking->setAccessibleDescription(m_form.spoken);
            },
            Qt::QueuedConnection);
    }
    if (event->type() != QEvent::MouseButtonDblClick)
        return QMainWindow::eventFilter(watched, event);
    const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
    QTabBar* tabBar = m_SSTab1->tabBar();
    if (watched == tabBar) {
        // The tabs themselves report through tabBarDoubleClicked; this is the bar beside them.
        if (tabBar->tabAt(pos) < 0)
            run([this] { m_wizard.SSTab1_DblClick(); });
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched == m_SSTab1) {
        // A page passes on the clicks its controls leave: those are not the tab control's own.
        QWidget* page = m_SSTab1->currentWidget();
        const QRect pageRect(page->mapTo(m_SSTab1, QPoint(0, 0)), page->size());
        if (!pageRect.contains(pos) && !tabBar->geometry().contains(pos)) {
            run([this] { m_wizard.SSTab1_DblClick(); });
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }
    auto* page = qobject_cast<QWidget*>(watched);
    if (page && m_SSTab1->indexOf(page) >= 0 && isPageBackground(page, pos)) {
        run([this] { m_wizard.SSTab1_DblClick(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::openAtStart(const QString& path) {
    run([this, &path] { m_wizard.openFile(path); });
}

// Closing the window ends the program as the menu's End does, asking first when work would be lost.
void MainWindow::closeEvent(QCloseEvent* event) {
    bool closes = false;
    run([this, &closes] { closes = m_wizard.Form_QueryUnload(); });
    event->setAccepted(closes);
}

} // namespace quenbury::ui
