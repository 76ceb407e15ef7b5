#include "ui/pages.h"

#include "locations/areatable.h"
#include "ui/eventspage.h"
#include "ui/linelistview.h"
#include "ui/logo.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

namespace {

// The pages are crowded at the window's opening size: keep their borders narrow.
const QMargins PageMargins(6, 6, 6, 6);

QLabel* label(QWidget* page, const QString& name, const QString& caption, bool wrap = false) {
    auto* l = new QLabel(caption, page);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText); // captions are shown as written, never read as markup
    l->setWordWrap(wrap);
    return l;
}

QLabel* title(QWidget* page, const QString& name, const QString& caption) {
    QLabel* l = label(page, name, caption);
    QFont font = l->font();
    font.setBold(true);
    l->setFont(font);
    return l;
}

// A label showing a path or a figure set at run time: it wraps and never widens the window.
QLabel* runtimeLabel(QWidget* page, const QString& name, const QString& caption) {
    QLabel* l = label(page, name, caption, true);
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QPushButton* button(QWidget* page, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, page);
    b->setObjectName(name);
    // Enter works the button that has the focus, as Space does.
    b->setAutoDefault(true);
    return b;
}

QPlainTextEdit* textBox(QWidget* page, const QString& name, bool horizontalScroll) {
    auto* box = new QPlainTextEdit(page);
    box->setObjectName(name);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Wrapping a line costs time that grows with the square of its length: a 1 MB line would hold
    // the window for minutes. Match-file lines are short; a longer one scrolls sideways, and a box's
    // row N stays the file's line N.
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    if (horizontalScroll)
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    box->setMinimumHeight(48);
    return box;
}

// An area drop-down: the rows of the area table, and the prompt in its text field until the user
// chooses a row. Only a row chosen from the list counts: the field takes no typing, so nothing
// completes, Enter picks nothing and leaving the field chooses nothing. (A combo without a field
// would choose a row by type-ahead instead.)
QComboBox* areaCombo(QWidget* page, const QString& name, const QString& prompt) {
    auto* combo = new QComboBox(page);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->lineEdit()->setReadOnly(true);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(16);
    combo->setMaxVisibleItems(20);
    for (const locations::Area& area : locations::AreaTable)
        combo->addItem(area.caption.toString());
    combo->setCurrentIndex(-1);
    combo->setEditText(prompt);
    combo->lineEdit()->setCursorPosition(0);
    combo->setToolTip(prompt);
    return combo;
}

LineListView* lineList(QWidget* page, const QString& name) {
    auto* list = new LineListView(page);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setMinimumHeight(48);
    return list;
}

QLineEdit* findField(QWidget* page, const QString& name) {
    auto* field = new QLineEdit(page);
    field->setObjectName(name);
    field->setPlaceholderText(u"Find a county, area or code"_s);
    field->setClearButtonEnabled(true);
    field->setAccessibleName(u"Find locations"_s);
    field->setAccessibleDescription(
        u"Shows only the lines that hold every word typed, in their text or their area's name"_s);
    return field;
}

// Under a list: how many of its lines are selected, shown or not. It wraps rather than widen the
// window when it also says how many the find hides.
QLabel* selectedCount(QWidget* page, const QString& name) {
    QLabel* l = label(page, name, QString(), true);
    l->setAccessibleName(u"Selected lines"_s);
    return l;
}

// Gives an input the name a screen reader speaks, and ties the label that names it on screen to it,
// so a reader that follows labels finds the caption too.
void name(QWidget* input, const QString& name, QLabel* label, const QString& description = QString()) {
    label->setBuddy(input);
    input->setAccessibleName(name);
    input->setAccessibleDescription(description);
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretchFirst = false) {
    auto* layout = new QHBoxLayout;
    if (stretchFirst)
        layout->addStretch();
    for (QWidget* w : widgets)
        layout->addWidget(w);
    if (!stretchFirst)
        layout->addStretch();
    return layout;
}

// Each page also lists its controls in reading order, the order Tab walks them in: top to bottom,
// and left to right along a band.
QWidget* startPage(Controls& c, QWidgetList& order) {
    auto* page = new QWidget;
    QLabel* name = label(page, u"Label4"_s, u"Quenbury(tm)"_s);
    QFont nameFont = name->font();
    nameFont.setPointSizeF(13.8);
    name->setFont(nameFont);

    QLabel* picture = label(page, u"Picture1"_s, QString());
    picture->setFixedSize(LogoWidth, LogoHeight);
    picture->setPixmap(logoPixmap(page->devicePixelRatioF()));
    picture->setAccessibleName(u"Quenbury logo"_s);
    picture->setAccessibleDescription(u"A weather-alert radio receiving a broadcast under a thunder cloud"_s);

    c.cmdContinue1 = button(page, u"cmdContinue1"_s, u"&Continue"_s);
    c.cmdEnd1 = button(page, u"cmdEnd1"_s, u"&End"_s);
    order = {c.cmdContinue1, c.cmdEnd1};
    c.pageFocus[0] = c.cmdContinue1;

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(c.cmdContinue1);
    buttons->addWidget(c.cmdEnd1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(picture, 0, Qt::AlignLeft | Qt::AlignTop);
    bottom->addStretch();
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(name);
    layout->addWidget(label(page, u"lblStart1"_s,
                            u"Use this program to create a text file (*.txt) of events and counties "
                            u"(FIPS-Federal Information Processing System) codes and translations to upload "
                            u"into the Brisvane units."_s,
                            true));
    layout->addWidget(label(page, u"lblStart7"_s, u"Version 1.05"_s));
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->addStretch();
    layout->setContentsMargins(PageMargins);
    return page;
}

QWidget* eventsPage(Controls& c, QWidgetList& order) {
    auto* page = new EventsPage;
    c.eventsPage = page;
    for (std::size_t i = 0; i < c.Check.size(); ++i)
        c.Check[i] = page->boxes[i];
    c.cmdSelectAll1 = page->buttons[0];
    c.cmdClearAll1 = page->buttons[1];
    c.cmdContinue2 = page->buttons[2];
    c.cmdBack0 = page->buttons[3];
    c.cmdEnd2 = page->buttons[4];
    // The buttons stand at the top, level with the title; then the rows, a column at a time.
    order = {page->buttons.begin(), page->buttons.end()};
    order.append({page->boxes.begin(), page->boxes.end()});
    c.pageFocus[1] = c.Check[0];
    return page;
}

QWidget* locationsPage(Controls& c, QWidgetList& order) {
    auto* page = new QWidget;
    c.cmbLocation4 = button(page, u"cmbLocation4"_s, u"&Database"_s);
    // These four show what the form model holds, its start texts included: the window writes them.
    c.lblLocation10 = runtimeLabel(page, u"lblLocation10"_s, QString());
    c.lblLocation9 = runtimeLabel(page, u"lblLocation9"_s, QString());
    c.lblLocation8 = runtimeLabel(page, u"lblLocation8"_s, QString());
    c.lblLocations13 = label(page, u"lblLocations13"_s, QString());
    c.cboLocation1 =
        areaCombo(page, u"cboLocation1"_s, u"Choose a state,territory and/or marine area from this menu."_s);
    c.txtFind1 = findField(page, u"txtFind1"_s);
    c.lstList1 = lineList(page, u"lstList1"_s);
    c.lblSelected1 = selectedCount(page, u"lblSelected1"_s);
    c.txtText1 = textBox(page, u"txtText1"_s, false);
    c.cmdAdd1 = button(page, u"cmdAdd1"_s, u"&Add Item>>"_s);
    c.cmdClear1 = button(page, u"cmdClear1"_s, u"C&lear"_s);
    c.cmdContinue3 = button(page, u"cmdContinue3"_s, u"&Continue"_s);
    c.cmdBack1 = button(page, u"cmdBack1"_s, u"&Back"_s);
    c.cmdEnd3 = button(page, u"cmdEnd3"_s, u"&End"_s);

    auto* database = new QVBoxLayout;
    auto* load = new QHBoxLayout;
    QLabel* loadNote =
        label(page, u"lblLocation7"_s, u"Click the DataBase button to load the location database."_s, true);
    c.cmbLocation4->setAccessibleDescription(loadNote->text());
    load->addWidget(loadNote, 1);
    load->addWidget(c.cmbLocation4, 0, Qt::AlignTop);
    database->addLayout(load);
    database->addWidget(c.lblLocation10);
    database->addWidget(c.lblLocation9);
    database->addWidget(c.lblLocation8);
    database->addStretch();

    auto* notes = new QVBoxLayout;
    notes->addWidget(
        label(page, u"lblLocation3"_s,
              u" **It is highly recommended to select the entire state codes for every state you "
              u"can monitor. These codes end in \"000\", preceded by the state code in the format "
              u"0XX000. "_s,
              true));
    notes->addWidget(
        label(page, u"lblLocation4"_s,
              u"Each NOAA Weather Radio transmitter broadcasts alerts for up to 31 counties near "
              u"it. The National Weather Service lists the counties of every transmitter at "
              u"www.weather.gov/nwr/counties."_s,
              true));
    notes->addStretch();

    auto* list = new QVBoxLayout;
    QLabel* listNote =
        label(page, u"lblLocation6"_s,
              u"Highlight on a location below (or shift-click-highlight on a group of locations) "
              u"and then click the Add Item button."_s,
              true);
    c.lstList1->setAccessibleName(u"Loaded locations"_s);
    c.lstList1->setAccessibleDescription(listNote->text());
    list->addWidget(listNote);
    list->addWidget(c.txtFind1);
    list->addWidget(c.lstList1, 1);
    // The count of selected lines shares the line under the list with the number of entries: the page
    // has no height to spare for the list at the window's opening size.
    QHBoxLayout* counts = row({label(page, u"lblLocations12"_s, u"Num Entries:"_s), c.lblLocations13});
    counts->addWidget(c.lblSelected1);
    list->addLayout(counts);

    auto* outgoing = new QVBoxLayout;
    QLabel* outgoingCaption =
        label(page, u"lblLocation5"_s,
              u"Outgoing String-                                You can edit this box!"_s, true);
    name(c.txtText1, u"Outgoing String"_s, outgoingCaption, u"You can edit this box!"_s);
    outgoing->addWidget(outgoingCaption);
    outgoing->addWidget(c.txtText1, 1);
    outgoing->addLayout(row({c.cmdAdd1, c.cmdClear1, c.cmdContinue3}));

    auto* grid = new QGridLayout(page);
    grid->addWidget(title(page, u"lblLocations10"_s, u"Select Match Locations"_s), 0, 0);
    grid->addLayout(row({c.cmdBack1, c.cmdEnd3}, true), 0, 1);
    QLabel* areaNote = label(page, u"lblLocation2"_s,
                             u"Select the locations to activate the Brisvane by choosing county, territory "
                             u"and/or marine areas from the pull down menu."_s,
                             true);
    // A drop-down's name is the text in its field (the prompt, then the chosen area); the label is
    // what says what it is for.
    areaNote->setBuddy(c.cboLocation1);
    grid->addWidget(areaNote, 1, 0, 1, 2);
    grid->addLayout(database, 2, 0);
    grid->addLayout(notes, 2, 1);
    grid->addWidget(c.cboLocation1, 3, 0, 1, 2);
    grid->addLayout(list, 4, 0);
    grid->addLayout(outgoing, 4, 1);
    grid->setContentsMargins(PageMargins);
    // The outgoing string's caption keeps its run of blanks on one line: give that column more room.
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    grid->setRowStretch(4, 1);
    // Back and End stand at the top right; the outgoing string and its buttons form the right column.
    order = {c.cmdBack1, c.cmdEnd3,  c.cmbLocation4, c.cboLocation1, c.txtFind1,
             c.lstList1, c.txtText1, c.cmdAdd1,      c.cmdClear1,    c.cmdContinue3};
    c.pageFocus[2] = c.cboLocation1;
    return page;
}

QWidget* translationsPage(Controls& c, QWidgetList& order) {
    auto* page = new QWidget;
    c.cmdContinue4 = button(page, u"cmdContinue4"_s, u"&Brisvane 100"_s);
    c.cmdBrisvane400 = button(page, u"cmdBrisvane400"_s, u"B&risvane 400"_s);
    c.cboTranslations1 = areaCombo(page, u"cboTranslations1"_s,
                                   u"Select the counties, territories and marine areas to translate."_s);
    c.txtFind2 = findField(page, u"txtFind2"_s);
    c.lstList2 = lineList(page, u"lstList2"_s);
    c.lstList2->setAccessibleName(u"Loaded locations"_s);
    c.lblSelected2 = selectedCount(page, u"lblSelected2"_s);
    c.txtTranslations1 = textBox(page, u"txtTranslations1"_s, true);
    // Only shows the database's text: as rows of a list it costs a fraction of a text box's time and
    // memory for a file of 32,767 lines.
    c.rtxtTranslations1 = new QListView(page);
    c.rtxtTranslations1->setObjectName(u"rtxtTranslations1"_s);
    c.rtxtTranslations1->setUniformItemSizes(true);
    c.rtxtTranslations1->setSelectionMode(QAbstractItemView::NoSelection);
    c.rtxtTranslations1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.rtxtTranslations1->setAccessibleName(u"Loaded location database"_s);
    c.rtxtTranslations1->setToolTip(u"The location database as loaded, for reference"_s);
    // Read-only text, not a second list to pick from: the page's colour and muted lines tell it apart.
    QPalette quiet = c.rtxtTranslations1->palette();
    quiet.setColor(QPalette::Base, quiet.color(QPalette::Window));
    quiet.setColor(QPalette::Text, quiet.color(QPalette::PlaceholderText));
    c.rtxtTranslations1->setPalette(quiet);
    c.rtxtTranslations1->setFocusPolicy(Qt::TabFocus);
    c.cmdAddItem2 = button(page, u"cmdAddItem2"_s, u"&Add Item>>"_s);
    c.cmdClear2 = button(page, u"cmdClear2"_s, u"&Clear"_s);
    c.cmdContinue5 = button(page, u"cmdContinue5"_s, u"C&ontinue"_s);
    c.cmdBack3 = button(page, u"cmdBack3"_s, u"&Back"_s);
    c.cmdEnd4 = button(page, u"cmdEnd4"_s, u"&End"_s);

    auto* brisvane100 = new QHBoxLayout;
    QLabel* brisvane100Note = label(page, u"lblTranslations2"_s,
                                    u"If you are creating a file for the Brisvane 100,   NO translations are "
                                    u"required. Click the Brisvane 100 button."_s,
                                    true);
    c.cmdContinue4->setAccessibleDescription(brisvane100Note->text());
    brisvane100->addWidget(brisvane100Note, 1);
    brisvane100->addWidget(c.cmdContinue4, 0, Qt::AlignTop);
    brisvane100->addSpacing(12);
    brisvane100->addWidget(c.cmdBack3, 0, Qt::AlignTop);
    brisvane100->addWidget(c.cmdEnd4, 0, Qt::AlignTop);

    auto* brisvane400 = new QHBoxLayout;
    QLabel* brisvane400Note =
        label(page, u"lblTranslations3"_s,
              u"If you are creating a file for the Brisvane 400, click the Brisvane 400 button "
              u"and select all the locations you can monitor from the pull down menu."_s,
              true);
    c.cmdBrisvane400->setAccessibleDescription(brisvane400Note->text());
    brisvane400Note->setBuddy(c.cboTranslations1);
    brisvane400->addWidget(brisvane400Note, 1);
    brisvane400->addWidget(c.cmdBrisvane400, 0, Qt::AlignTop);

    // The database view only shows what was loaded: a few lines under the list, which is as wide as a
    // usual database line needs. (The column of buttons is not.)
    auto* lines = new QVBoxLayout;
    lines->addWidget(c.txtFind2);
    lines->addWidget(c.lstList2, 1);
    lines->addWidget(c.lblSelected2);
    lines->addWidget(c.rtxtTranslations1);
    c.rtxtTranslations1->setMaximumHeight(6 * c.rtxtTranslations1->fontMetrics().lineSpacing());

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(c.cmdAddItem2);
    buttons->addWidget(c.cmdClear2);
    buttons->addWidget(c.cmdContinue5);
    buttons->addStretch();

    auto* outgoing = new QVBoxLayout;
    // Wraps rather than widen its column: the list beside it needs the room for the area names.
    QLabel* outgoingCaption =
        label(page, u"lblTranslations5"_s,
              u"Outgoing String--                         You can edit this box."_s, true);
    name(c.txtTranslations1, u"Outgoing String"_s, outgoingCaption, u"You can edit this box."_s);
    outgoing->addWidget(outgoingCaption);
    outgoing->addWidget(c.txtTranslations1, 1);

    auto* grid = new QGridLayout;
    grid->addWidget(c.cboTranslations1, 0, 0, 1, 3);
    grid->addLayout(lines, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addLayout(outgoing, 1, 2);
    // The list shows each line's area name after it: as wide as the outgoing string, which scrolls.
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    grid->setRowStretch(1, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(brisvane100);
    layout->addWidget(
        title(page, u"lblTranslations1"_s, u"Choose Location Translations for the Brisvane 400"_s));
    layout->addLayout(brisvane400);
    layout->addLayout(grid, 1);
    layout->setContentsMargins(PageMargins);
    // Three columns below the drop-down: the list with the database under it, the buttons, the
    // outgoing string.
    order = {c.cmdContinue4,     c.cmdBack3,  c.cmdEnd4,      c.cmdBrisvane400,
             c.cboTranslations1, c.txtFind2,  c.lstList2,     c.rtxtTranslations1,
             c.cmdAddItem2,      c.cmdClear2, c.cmdContinue5, c.txtTranslations1};
    // Not "&Brisvane 100", the button above it: Enter must not choose the receiver for the user.
    c.pageFocus[3] = c.cboTranslations1;
    return page;
}

// The sentence keeps the line end it was written with, but a one-line box has no room for the
// empty line after it: that block is hidden.
QPlainTextEdit* introLine(QWidget* page) {
    auto* box = new QPlainTextEdit(page);
    box->setObjectName(u"txtCreate1"_s);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setFrameShape(QFrame::NoFrame);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setPlainText(
        u"The current file appears below. Click the Verify File button to scan for format errors.\r\n"_s);
    box->setAccessibleName(u"Instructions"_s);
    box->document()->lastBlock().setVisible(false);
    box->document()->markContentsDirty(0, box->document()->characterCount());
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
    const int margins = 2 * int(box->document()->documentMargin()) + box->contentsMargins().top() +
                        box->contentsMargins().bottom();
    box->setFixedHeight(box->fontMetrics().lineSpacing() + margins);
    return box;
}

QWidget* createFilePage(Controls& c, QWidgetList& order) {
    auto* page = new QWidget;
    c.txtCreate1 = introLine(page);
    c.txtCreate2 = textBox(page, u"txtCreate2"_s, false);
    c.txtCreate3 = textBox(page, u"txtCreate3"_s, true);
    c.cmdCreate1 = button(page, u"cmdCreate1"_s, u"&Verify File"_s);
    c.cmdSave1 = button(page, u"cmdSave1"_s, u"&Save File"_s);
    c.cmdClear3 = button(page, u"cmdClear3"_s, u"&Clear"_s);
    c.cmdBack5 = button(page, u"cmdBack5"_s, u"&Back"_s);
    c.cmdEnd5 = button(page, u"cmdEnd5"_s, u"&End"_s);

    auto* top = new QHBoxLayout;
    top->addWidget(title(page, u"lblCreate2"_s, u"Verify and Save the file you created."_s), 1);
    top->addWidget(c.cmdBack5);
    top->addWidget(c.cmdEnd5);

    auto* current = new QVBoxLayout;
    QLabel* currentCaption = label(page, u"lblCreate1"_s, u"Current File:"_s);
    name(c.txtCreate2, currentCaption->text(), currentCaption);
    current->addWidget(currentCaption);
    current->addWidget(c.txtCreate2, 1);
    auto* status = new QVBoxLayout;
    QLabel* statusCaption = label(page, u"lblCreate5"_s, u"File Status:"_s);
    name(c.txtCreate3, statusCaption->text(), statusCaption);
    status->addWidget(statusCaption);
    status->addWidget(c.txtCreate3, 1);
    auto* boxes = new QHBoxLayout;
    boxes->addLayout(current, 1);
    boxes->addLayout(status, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(c.txtCreate1);
    layout->addWidget(
        label(page, u"lblCreate3"_s,
              u"Likely errors include: 1) Blank lines; 2) No * at end of each line; 3) A line "
              u"longer than 32 characters; 4) The file is too long (more than 2000 lines); 5) No "
              u"EOFEOF* end of file mark."_s,
              true));
    layout->addWidget(label(page, u"lblCreate4"_s,
                            u"Edit and correct any errors in the Curren File text box and re verify the file "
                            u"until no errors appear."_s,
                            true));
    layout->addLayout(boxes, 1);
    layout->addLayout(row({c.cmdCreate1, c.cmdSave1, c.cmdClear3}));
    layout->setContentsMargins(PageMargins);
    order = {c.cmdBack5,   c.cmdEnd5,    c.txtCreate1, c.txtCreate2,
             c.txtCreate3, c.cmdCreate1, c.cmdSave1,   c.cmdClear3};
    c.pageFocus[4] = c.cmdCreate1;
    return page;
}

// Tab runs from the header strip through the shown page and back; the pages out of sight are
// skipped, so each page's chain can start right after the strip.
void setTabOrder(const Controls& c, const QWidgetList& order) {
    QWidget* previous = c.SSTab1->tabBar();
    for (QWidget* w : order)
        QWidget::setTabOrder(std::exchange(previous, w), w);
}

} // namespace

Controls buildPages(QWidget* parent) {
    Controls c;
    c.SSTab1 = new QTabWidget(parent);
    c.SSTab1->setObjectName(u"SSTab1"_s);
    c.SSTab1->setAccessibleName(u"Wizard pages"_s);
    QWidgetList order;
    c.pages[0] = startPage(c, order);
    for (std::size_t i = 1; i < c.pages.size(); ++i)
        c.pages[i] = new QWidget; // until the page itself is built
    const std::array<QString, 5> headers{u"&Start"_s, u"&Events"_s, u"&Locations"_s, u"&Translations"_s,
                                         u"&Create File"_s};
    for (std::size_t i = 0; i < c.pages.size(); ++i)
        c.SSTab1->addTab(c.pages[i], headers[i]);
    setTabOrder(c, order);
    return c;
}

void buildLaterPages(Controls& c) {
    using Builder = QWidget* (*)(Controls&, QWidgetList&);
    const std::array<Builder, 4> builders{eventsPage, locationsPage, translationsPage, createFilePage};
    // Swapping the pages in is no page change the user made.
    const QSignalBlocker quiet(c.SSTab1);
    const int shown = c.SSTab1->currentIndex();
    for (std::size_t i = 0; i < builders.size(); ++i) {
        QWidgetList order;
        QWidget* page = builders[i](c, order);
        const int index = int(i) + 1;
        const QString header = c.SSTab1->tabText(index);
        c.SSTab1->removeTab(index);
        delete std::exchange(c.pages[std::size_t(index)], page);
        c.SSTab1->insertTab(index, page, header);
        setTabOrder(c, order);
    }
    c.SSTab1->setCurrentIndex(shown);
}

} // namespace quenbury::ui
