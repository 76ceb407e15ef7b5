#include "ui/translationspage.h"

#include "ui/linelistview.h"
#include "ui/linepicker.h"
#include "wizard/wizard.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

using wizard::FormModel;
using wizard::Wizard;

namespace {

// Only shows the database's text: as rows of a list it costs a fraction of a text box's time and
// memory for a file of 32,767 lines.
QListView* databaseView(QWidget* page) {
    auto* view = new QListView(page);
    view->setObjectName(u"rtxtTranslations1"_s);
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAccessibleName(u"Loaded location database"_s);
    view->setToolTip(u"The location database as loaded, for reference"_s);
    // Read-only text, not a second list to pick from: the page's colour and muted lines tell it apart.
    QPalette quiet = view->palette();
    quiet.setColor(QPalette::Base, quiet.color(QPalette::Window));
    quiet.setColor(QPalette::Text, quiet.color(QPalette::PlaceholderText));
    view->setPalette(quiet);
    view->setFocusPolicy(Qt::TabFocus);
    view->setMaximumHeight(6 * view->fontMetrics().lineSpacing());
    return view;
}

} // namespace

TranslationsPage::TranslationsPage(Wizard& wizard, ActionRunner run)
    : WizardPage(wizard, run)
    , m_picker(new LinePicker(this, wizard, run,
                              {u"cboTranslations1"_s, u"txtFind2"_s, u"lstList2"_s, u"lblSelected2"_s,
                               u"Select the counties, territories and marine areas to translate."_s,
                               &FormModel::cboTranslations1, &FormModel::txtFind2, &FormModel::lstList2,
                               &Wizard::cboTranslations1_Click, &Wizard::txtFind2_Change,
                               &Wizard::txtFind2_KeyDown}))
    , m_cmdAddItem2(boundButton(u"cmdAddItem2"_s, u"&Add Item>>"_s, &Wizard::cmdAddItem2_Click))
    , m_cmdClear2(boundButton(u"cmdClear2"_s, u"&Clear"_s, &Wizard::cmdClear2_Click))
    , m_cmdContinue5(boundButton(u"cmdContinue5"_s, u"C&ontinue"_s, &Wizard::cmdContinue5_Click)) {
    QPushButton* cmdContinue4 =
        boundButton(u"cmdContinue4"_s, u"&Brisvane 100"_s, &Wizard::cmdContinue4_Click);
    QPushButton* cmdBrisvane400 =
        boundButton(u"cmdBrisvane400"_s, u"B&risvane 400"_s, &Wizard::cmdBrisvane400_Click);
    QPushButton* cmdBack3 = boundButton(u"cmdBack3"_s, u"&Back"_s, &Wizard::cmdBack3_Click);
    QPushButton* cmdEnd4 = boundButton(u"cmdEnd4"_s, u"&End"_s, &Wizard::cmdEnd4_Click);
    QPlainTextEdit* txtTranslations1 = textBox(this, u"txtTranslations1"_s, true);
    QListView* rtxtTranslations1 = databaseView(this); // the last loaded database, one line per row
    bindBox(txtTranslations1, &FormModel::txtTranslations1);
    // Three columns below the drop-down: the list with the database under it, the buttons, the
    // outgoing string.
    m_tabOrder = {cmdContinue4,      cmdBack3,         cmdEnd4,          cmdBrisvane400,
                  m_picker->combo(), m_picker->find(), m_picker->list(), rtxtTranslations1,
                  m_cmdAddItem2,     m_cmdClear2,      m_cmdContinue5,   txtTranslations1};
    rtxtTranslations1->setModel(&m_databaseLines);

    auto* brisvane100 = new QHBoxLayout;
    QLabel* brisvane100Note = label(this, u"lblTranslations2"_s,
                                    u"If you are creating a file for the Brisvane 100,   NO translations are "
                                    u"required. Click the Brisvane 100 button."_s,
                                    true);
    cmdContinue4->setAccessibleDescription(brisvane100Note->text());
    brisvane100->addWidget(brisvane100Note, 1);
    brisvane100->addWidget(cmdContinue4, 0, Qt::AlignTop);
    brisvane100->addSpacing(12);
    brisvane100->addWidget(cmdBack3, 0, Qt::AlignTop);
    brisvane100->addWidget(cmdEnd4, 0, Qt::AlignTop);

    auto* brisvane400 = new QHBoxLayout;
    QLabel* brisvane400Note =
        label(this, u"lblTranslations3"_s,
              u"If you are creating a file for the Brisvane 400, click the Brisvane 400 button "
              u"and select all the locations you can monitor from the pull down menu."_s,
              true);
    cmdBrisvane400->setAccessibleDescription(brisvane400Note->text());
    brisvane400Note->setBuddy(m_picker->combo());
    brisvane400->addWidget(brisvane400Note, 1);
    brisvane400->addWidget(cmdBrisvane400, 0, Qt::AlignTop);

    // The database view only shows what was loaded: a few lines under the list, which is as wide as a
    // usual database line needs. (The column of buttons is not.)
    auto* lines = new QVBoxLayout;
    lines->addWidget(m_picker->find());
    lines->addWidget(m_picker->list(), 1);
    lines->addWidget(m_picker->count());
    lines->addWidget(rtxtTranslations1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdAddItem2);
    buttons->addWidget(m_cmdClear2);
    buttons->addWidget(m_cmdContinue5);
    buttons->addStretch();

    // Wraps rather than widen its column: the list beside it needs the room for the area names.
    QLabel* outgoingCaption =
        label(this, u"lblTranslations5"_s,
              u"Outgoing String--                         You can edit this box."_s, true);
    QVBoxLayout* outgoing =
        underCaption(outgoingCaption, txtTranslations1, u"Outgoing String"_s, u"You can edit this box."_s);

    auto* grid = new QGridLayout;
    grid->addWidget(m_picker->combo(), 0, 0, 1, 3);
    grid->addLayout(lines, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addLayout(outgoing, 1, 2);
    // The list shows each line's area name after it: as wide as the outgoing string, which scrolls.
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    grid->setRowStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(brisvane100);
    layout->addWidget(
        title(this, u"lblTranslations1"_s, u"Choose Location Translations for the Brisvane 400"_s));
    layout->addLayout(brisvane400);
    layout->addLayout(grid, 1);
    layout->setContentsMargins(PageMargins);
}

void TranslationsPage::refresh() {
    m_picker->refresh();
    showBoxes();
    if (m_databaseLines.stringList() != form().rtxtTranslations1)
        m_databaseLines.setStringList(form().rtxtTranslations1);
    showEnabled(m_cmdAddItem2, FormModel::cmdAddItem2);
    showEnabled(m_cmdClear2, FormModel::cmdClear2);
    showEnabled(m_cmdContinue5, FormModel::cmdContinue5);
}

} // namespace quenbury::ui
