#include "ui/mainwindow.h"

#include "ui/accesskeys.h"
#include "ui/eventspage.h"
#include "ui/linelistview.h"
#include "ui/logo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QWindow>

#include <tuple>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

using wizard::BoxColour;
using wizard::Wizard;

namespace {

// The client area the receivers' owners know, 8412 x 6384 twips, at 15 twips per pixel.
constexpr QSize ClientSize(561, 426);

QColor colourOf(BoxColour colour) {
    switch (colour) {
    case BoxColour::Red:
        return QColor(255, 0, 0);
    case BoxColour::Green:
        return QColor(0, 255, 0);
    case BoxColour::Yellow:
        return QColor(255, 255, 0);
    case BoxColour::White:
        break;
    }
    return QColor(255, 255, 255);
}

void showText(QLineEdit* field, const QString& text) {
    if (field->text() != text) {
        const QSignalBlocker blocker(field);
        field->setText(text);
    }
}

void showCombo(QComboBox* combo, int row, const QString& prompt) {
    if (combo->currentIndex() == row)
        return;
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(row);
    if (row < 0) {
        combo->setEditText(prompt);
        combo->lineEdit()->setCursorPosition(0);
    }
}

} // namespace

MainWindow::MainWindow(wizard::Platform& platform, const QString& databaseFolder, LaterPages later,
                       QWidget* parent)
    : QMainWindow(parent)
    , m_wizard(m_form, platform, databaseFolder) {
    setObjectName(u"frmMain"_s);
    setWindowTitle(u"Corvanta  Quenbury(tm)"_s);
    // The pages were laid out for a small dialog font: at the usual desktop size the Events page's
    // three columns and the Locations page would not fit the window's opening size.
    QFont windowFont = font();
    windowFont.setPointSizeF(8);
    setFont(windowFont);

    QMenu* file = menuBar()->addMenu(u"&File"_s);
    file->setObjectName(u"File"_s);
    file->setAccessibleName(u"File"_s);
    QAction* end = file->addAction(u"&End"_s);
    end->setObjectName(u"End"_s);
    connect(end, &QAction::triggered, this, [this] { run([this] { m_wizard.End_Click(); }); });

    m_c = buildPages(this);
    // The logo is drawn once, for the Start page; the window icon reuses that drawing.
    if (const auto* logo = findChild<QLabel*>(u"Picture1"_s))
        setWindowIcon(QIcon(logo->pixmap()));
    setCentralWidget(m_c.SSTab1);
    // The word of a save stays in sight on every page, where a screen reader hears it change.
    m_lblSaved = new QLabel(statusBar());
    m_lblSaved->setObjectName(u"lblSaved"_s);
    m_lblSaved->setTextFormat(Qt::PlainText);
    m_lblSaved->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblSaved->setSizePolicy(QSizePolicy::Ignored,
                              QSizePolicy::Preferred); // a long path never widens the window
    statusBar()->addWidget(m_lblSaved, 1);
    bindTabs();
    bindButtons();

    m_wizard.Form_Load();
    if (later == LaterPages::AtOnce)
        completePages();
    else
        refresh();
    // The status bar adds to the window's height: the pages keep their client area.
    resize(ClientSize + QSize(0, statusBar()->sizeHint().height()));
    m_c.pageFocus[0]->setFocus(Qt::OtherFocusReason);
}

// Builds and binds the pages after the Start page, once.
void MainWindow::completePages() {
    if (m_c.eventsPage)
        return;
    buildLaterPages(m_c);
    m_locationPrompt = m_c.cboLocation1->currentText();
    m_translationPrompt = m_c.cboTranslations1->currentText();
    bindButtons();
    bindInputs();
    bindLists();
    m_c.rtxtTranslations1->setModel(&m_databaseLines);
    for (std::size_t i = 1; i < m_c.pages.size(); ++i)
        m_c.pages[i]->installEventFilter(this); // double clicks on the page's background
    new AccessKeys(m_c.SSTab1);
    refresh();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_c.eventsPage && windowHandle())
        windowHandle()->installEventFilter(this); // to learn when the window first reaches the screen
}

MainWindow::~MainWindow() {
    // The views use the form model's lists: let them go before the model does.
    delete m_c.SSTab1;
}

void MainWindow::bindButtons() {
    const std::initializer_list<std::pair<QPushButton*, void (Wizard::*)()>> buttons{
        {m_c.cmdContinue1, &Wizard::cmdContinue1_Click}, {m_c.cmdEnd1, &Wizard::cmdEnd1_Click},
        {m_c.cmdClearAll1, &Wizard::cmdClearAll1_Click}, {m_c.cmdContinue2, &Wizard::cmdContinue2_Click},
        {m_c.cmdBack0, &Wizard::cmdBack0_Click},         {m_c.cmdEnd2, &Wizard::cmdEnd2_Click},
        {m_c.cmbLocation4, &Wizard::cmbLocation4_Click}, {m_c.cmdAdd1, &Wizard::cmdAdd1_Click},
        {m_c.cmdClear1, &Wizard::cmdClear1_Click},       {m_c.cmdContinue3, &Wizard::cmdContinue3_Click},
        {m_c.cmdBack1, &Wizard::cmdBack1_Click},         {m_c.cmdEnd3, &Wizard::cmdEnd3_Click},
        {m_c.cmdContinue4, &Wizard::cmdContinue4_Click}, {m_c.cmdBrisvane400, &Wizard::cmdBrisvane400_Click},
        {m_c.cmdAddItem2, &Wizard::cmdAddItem2_Click},   {m_c.cmdClear2, &Wizard::cmdClear2_Click},
        {m_c.cmdContinue5, &Wizard::cmdContinue5_Click}, {m_c.cmdBack3, &Wizard::cmdBack3_Click},
        {m_c.cmdEnd4, &Wizard::cmdEnd4_Click},           {m_c.cmdCreate1, &Wizard::cmdCreate1_Click},
        {m_c.cmdSave1, &Wizard::cmdSave1_Click},         {m_c.cmdClear3, &Wizard::cmdClear3_Click},
        {m_c.cmdBack5, &Wizard::cmdBack5_Click},         {m_c.cmdEnd5, &Wizard::cmdEnd5_Click},
    };
    // Runs again when the later pages are built: binds the buttons that exist and are not bound yet.
    for (const auto& [button, handler] : buttons) {
        if (!button || m_boundButtons.contains(button))
            continue;
        m_boundButtons.append(button);
        connect(button, &QPushButton::clicked, this,
                [this, h = handler] { run([this, h] { (m_wizard.*h)(); }); });
    }
    // Element 0 of a one-element button array.
    if (m_c.cmdSelectAll1 && !m_boundButtons.contains(m_c.cmdSelectAll1)) {
        m_boundButtons.append(m_c.cmdSelectAll1);
        connect(m_c.cmdSelectAll1, &QPushButton::clicked, this,
                [this] { run([this] { m_wizard.cmdSelectAll1_Click(0); }); });
    }
}

void MainWindow::bindInputs() {
    for (std::size_t i = 0; i < m_c.Check.size(); ++i)
        connect(m_c.Check[i], &QCheckBox::toggled, this,
                [this, i](bool ticked) { m_form.Check[i] = ticked; });

    const std::initializer_list<std::pair<QPlainTextEdit*, QString*>> boxes{
        {m_c.txtText1, &m_form.txtText1},
        {m_c.txtTranslations1, &m_form.txtTranslations1},
        {m_c.txtCreate2, &m_form.txtCreate2},
        {m_c.txtCreate3, &m_form.txtCreate3},
    };
    for (const auto& [box, field] : boxes)
        m_textBoxes.push_back(std::make_unique<TextBoxBinding>(box, field));
    // Asked only while a report or a save speaks of the box: the first keystroke after a verification
    // or a save takes back its word, the others cost nothing.
    connect(m_c.txtCreate2->document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_refreshing && m_wizard.currentFileWatched())
            run([this] { m_wizard.txtCreate2_Change(); });
    });

    // Every choice the user makes counts, also of the row already shown: the list may have changed
    // since. refresh() changes the rows with signals blocked.
    connect(m_c.cboLocation1, &QComboBox::activated, this, [this](int row) {
        if (m_refreshing || row < 0)
            return;
        run([this, row] {
            m_form.cboLocation1 = row;
            m_wizard.cboLocation1_Click();
        });
    });
    connect(m_c.cboTranslations1, &QComboBox::activated, this, [this](int row) {
        if (m_refreshing || row < 0)
            return;
        run([this, row] {
            m_form.cboTranslations1 = row;
            m_wizard.cboTranslations1_Click();
        });
    });

    connect(m_c.txtFind1, &QLineEdit::textChanged, this, [this](const QString& text) {
        run([this, text] {
            m_form.txtFind1 = text;
            m_wizard.txtFind1_Change();
        });
    });
    connect(m_c.txtFind2, &QLineEdit::textChanged, this, [this](const QString& text) {
        run([this, text] {
            m_form.txtFind2 = text;
            m_wizard.txtFind2_Change();
        });
    });
    for (QLineEdit* find : {m_c.txtFind1, m_c.txtFind2})
        find->installEventFilter(this); // Down or Enter into the list, Escape to empty the field
    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        QLineEdit* find = m_form.SSTab1 == wizard::LocationsPage      ? m_c.txtFind1
                          : m_form.SSTab1 == wizard::TranslationsPage ? m_c.txtFind2
                                                                      : nullptr;
        if (find) {
            find->setFocus(Qt::ShortcutFocusReason);
            find->selectAll();
        }
    });
}

void MainWindow::bindTabs() {
    connect(m_c.SSTab1, &QTabWidget::currentChanged, this, [this](int page) {
        if (m_refreshing)
            return;
        run([this, page] { m_wizard.ShowPage(page); });
    });
    connect(m_c.SSTab1, &QTabWidget::tabBarDoubleClicked, this,
            [this] { run([this] { m_wizard.SSTab1_DblClick(); }); });
    // A double click on the header strip beside the tabs, or on a page where no control is.
    m_c.SSTab1->installEventFilter(this);
    m_c.SSTab1->tabBar()->installEventFilter(this);
    for (QWidget* page : m_c.pages)
        page->installEventFilter(this);
}

void MainWindow::bindLists() {
    const std::initializer_list<std::tuple<LineListView*, wizard::LineListModel*, QLabel*>> lists{
        {m_c.lstList1, &m_form.lstList1, m_c.lblSelected1},
        {m_c.lstList2, &m_form.lstList2, m_c.lblSelected2},
    };
    for (const auto& [view, model, count] : lists) {
        view->setLineModel(model);
        // The user selects in the view, outside any handler, and a find hides selected lines: the
        // count follows both.
        const auto showCount = [count, model] { count->setText(model->selectionCaption()); };
        connect(model->selectionModel(), &QItemSelectionModel::selectionChanged, count, showCount);
        connect(model, &wizard::LineListModel::shownChanged, count, showCount);
        connect(model, &wizard::LineListModel::revealRequested, view, [view, model](int row) {
            const QModelIndex index = model->index(row);
            view->scrollTo(index, QAbstractItemView::PositionAtTop);
        });
    }
}

void MainWindow::run(const std::function<void()>& handler) {
    completePages(); // every handler may show or write any page
    storeEdits();
    const int shown = m_form.SSTab1;
    handler();
    refresh();
    if (m_form.SSTab1 != shown)
        focusShownPage();
}

// Whatever changed the page, the focus goes to its first input, so that Enter right after a page
// change never goes back, ends, or chooses a receiver. A user walking the header strip with the
// arrow keys keeps the focus there.
void MainWindow::focusShownPage() {
    if (m_c.SSTab1->tabBar()->hasFocus())
        return;
    setAttribute(Qt::WA_KeyboardFocusChange); // show where it went: a check box shows it only so
    m_c.pageFocus[std::size_t(m_form.SSTab1)]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::storeEdits() {
    for (const auto& binding : m_textBoxes)
        binding->storeEdits();
}

void MainWindow::refresh() {
    m_refreshing = true;
    if (m_c.SSTab1->currentIndex() != m_form.SSTab1) {
        const QSignalBlocker blocker(m_c.SSTab1);
        m_c.SSTab1->setCurrentIndex(m_form.SSTab1);
    }
    if (!m_c.eventsPage) { // the Start page shows nothing of the model
        m_refreshing = false;
        return;
    }
    for (std::size_t i = 0; i < m_c.Check.size(); ++i) {
        QCheckBox* box = m_c.Check[i];
        if (box->isChecked() != m_form.Check[i]) {
            const QSignalBlocker blocker(box);
            box->setChecked(m_form.Check[i]);
        }
    }

    m_lblSaved->setText(m_form.lblSaved);
    m_lblSaved->setToolTip(m_form.lblSaved); // whole, when the bar cuts a long path
    m_c.lblLocation10->setText(m_form.lblLocation10);
    m_c.lblLocation9->setText(m_form.lblLocation9);
    m_c.lblLocation8->setText(m_form.lblLocation8);
    m_c.lblLocations13->setText(m_form.lblLocations13);
    showCombo(m_c.cboLocation1, m_form.cboLocation1, m_locationPrompt);
    showCombo(m_c.cboTranslations1, m_form.cboTranslations1, m_translationPrompt);
    showText(m_c.txtFind1, m_form.txtFind1);
    showText(m_c.txtFind2, m_form.txtFind2);

    for (const auto& binding : m_textBoxes)
        binding->show();
    if (m_databaseLines.stringList() != m_form.rtxtTranslations1)
        m_databaseLines.setStringList(m_form.rtxtTranslations1);
    QPalette palette = m_c.txtCreate3->palette();
    const QColor colour = colourOf(m_form.txtCreate3Colour);
    if (palette.color(QPalette::Base) != colour) {
        palette.setColor(QPalette::Base, colour);
        palette.setColor(QPalette::Text, Qt::black); // readable on all three, in a dark theme too
        m_c.txtCreate3->setPalette(palette);
    }

    const auto& e = m_form.enabled;
    m_c.cmdAdd1->setEnabled(e.cmdAdd1);
    m_c.cmdClear1->setEnabled(e.cmdClear1);
    m_c.cmdEnd5->setEnabled(e.cmdEnd5);
    m_c.cmdAddItem2->setEnabled(e.cmdAddItem2);
    m_c.cmdClear2->setEnabled(e.cmdClear2);
    m_c.cmdContinue5->setEnabled(e.cmdContinue5);
    m_c.cmdSave1->setEnabled(e.cmdSave1);
    m_refreshing = false;
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
    if (event->type() == QEvent::KeyPress && (watched == m_c.txtFind1 || watched == m_c.txtFind2)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* find = static_cast<QLineEdit*>(watched);
        const bool into =
            key->key() == Qt::Key_Down || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (into && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            (find == m_c.txtFind1 ? m_c.lstList1 : m_c.lstList2)->enterFromFind();
            return true;
        }
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            find->clear();
            return true;
        }
    }
    if (event->type() != QEvent::MouseButtonDblClick)
        return QMainWindow::eventFilter(watched, event);
    const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
    QTabBar* tabBar = m_c.SSTab1->tabBar();
    if (watched == tabBar) {
        // The tabs themselves report through tabBarDoubleClicked; this is the bar beside them.
        if (tabBar->tabAt(pos) < 0)
            run([this] { m_wizard.SSTab1_DblClick(); });
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched == m_c.SSTab1) {
        // A page passes on the clicks its controls leave: those are not the tab control's own.
        QWidget* page = m_c.SSTab1->currentWidget();
        const QRect pageRect(page->mapTo(m_c.SSTab1, QPoint(0, 0)), page->size());
        if (!pageRect.contains(pos) && !tabBar->geometry().contains(pos)) {
            run([this] { m_wizard.SSTab1_DblClick(); });
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }
    auto* page = qobject_cast<QWidget*>(watched);
    if (page && m_c.SSTab1->indexOf(page) >= 0 && isPageBackground(page, pos)) {
        run([this] { m_wizard.SSTab1_DblClick(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the window ends the program as the menu's End does, without a question.
    m_wizard.End_Click();
    event->accept();
}

} // namespace quenbury::ui
