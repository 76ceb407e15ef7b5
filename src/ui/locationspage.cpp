#include "ui/locationspage.h"

#include "ui/linelistview.h"
#include "ui/linepicker.h"
#include "wizard/wizard.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

using wizard::FormModel;
using wizard::Wizard;

LocationsPage::LocationsPage(Wizard& wizard, ActionRunner run)
    : WizardPage(wizard, run)
    // These four show what the form model holds, its start texts included.
    , m_lblLocation10(runtimeLabel(this, u"lblLocation10"_s))
    , m_lblLocation9(runtimeLabel(this, u"lblLocation9"_s))
    , m_lblLocation8(runtimeLabel(this, u"lblLocation8"_s))
    , m_lblLocations13(label(this, u"lblLocations13"_s, QString()))
    , m_picker(
          new LinePicker(this, wizard, run,
                         {u"cboLocation1"_s, u"txtFind1"_s, u"lstList1"_s, u"lblSelected1"_s,
                          u"Choose a state,territory and/or marine area from this menu."_s,
                          &FormModel::cboLocation1, &FormModel::txtFind1, &FormModel::lstList1,
                          &Wizard::cboLocation1_Click, &Wizard::txtFind1_Change, &Wizard::txtFind1_KeyDown}))
    , m_cmdAdd1(boundButton(u"cmdAdd1"_s, u"&Add Item>>"_s, &Wizard::cmdAdd1_Click))
    , m_cmdClear1(boundButton(u"cmdClear1"_s, u"C&lear"_s, &Wizard::cmdClear1_Click)) {
    QPushButton* cmbLocation4 = boundButton(u"cmbLocation4"_s, u"&Database"_s, &Wizard::cmbLocation4_Click);
    QPushButton* cmdContinue3 = boundButton(u"cmdContinue3"_s, u"&Continue"_s, &Wizard::cmdContinue3_Click);
    QPushButton* cmdBack1 = boundButton(u"cmdBack1"_s, u"&Back"_s, &Wizard::cmdBack1_Click);
    QPushButton* cmdEnd3 = boundButton(u"cmdEnd3"_s, u"&End"_s, &Wizard::cmdEnd3_Click);
    QPlainTextEdit* txtText1 = textBox(this, u"txtText1"_s, false);
    bindBox(txtText1, &FormModel::txtText1);
    // Back and End stand at the top right; the outgoing string and its buttons form the right column.
    m_tabOrder = {cmdBack1,         cmdEnd3,  cmbLocation4, m_picker->combo(), m_picker->find(),
                  m_picker->list(), txtText1, m_cmdAdd1,    m_cmdClear1,       cmdContinue3};

    auto* database = new QVBoxLayout;
    auto* load = new QHBoxLayout;
    QLabel* loadNote =
        label(this, u"lblLocation7"_s, u"Click the DataBase button to load the location database."_s, true);
    cmbLocation4->setAccessibleDescription(loadNote->text());
    load->addWidget(loadNote, 1);
    load->addWidget(cmbLocation4, 0, Qt::AlignTop);
    database->addLayout(load);
    database->addWidget(m_lblLocation10);
    database->addWidget(m_lblLocation9);
    database->addWidget(m_lblLocation8);
    database->addStretch();

    auto* notes = new QVBoxLayout;
    notes->addWidget(
        label(this, u"lblLocation3"_s,
              u" **It is highly recommended to select the entire state codes for every state you "
              u"can monitor. These codes end in \"000\", preceded by the state code in the format "
              u"0XX000. "_s,
              true));
    notes->addWidget(
        label(this, u"lblLocation4"_s,
              u"Each NOAA Weather Radio transmitter broadcasts alerts for up to 31 counties near "
              u"it. The National Weather Service lists the counties of every transmitter at "
              u"www.weather.gov/nwr/counties."_s,
              true));
    notes->addStretch();

    auto* list = new QVBoxLayout;
    QLabel* listNote =
        label(this, u"lblLocation6"_s,
              u"Highlight on a location below (or shift-click-highlight on a group of locations) "
              u"and then click the Add Item button."_s,
              true);
    m_picker->list()->setAccessibleDescription(listNote->text());
    list->addWidget(listNote);
    list->addWidget(m_picker->find());
    list->addWidget(m_picker->list(), 1);
    // The count of selected lines shares the line under the list with the number of entries: the page
    // has no height to spare for the list at the window's opening size.
    QHBoxLayout* counts = row({label(this, u"lblLocations12"_s, u"Num Entries:"_s), m_lblLocations13});
    counts->addWidget(m_picker->count());
    list->addLayout(counts);

    QLabel* outgoingCaption =
        label(this, u"lblLocation5"_s,
              u"Outgoing String-                                You can edit this box!"_s, true);
    QVBoxLayout* outgoing =
        underCaption(outgoingCaption, txtText1, u"Outgoing String"_s, u"You can edit this box!"_s);
    outgoing->addLayout(row({m_cmdAdd1, m_cmdClear1, cmdContinue3}));

    auto* grid = new QGridLayout(this);
    grid->addWidget(title(this, u"lblLocations10"_s, u"Select Match Locations"_s), 0, 0);
    grid->addLayout(row({cmdBack1, cmdEnd3}, true), 0, 1);
    QLabel* areaNote = label(this, u"lblLocation2"_s,
                             u"Select the locations to activate the Brisvane by choosing county, territory "
                             u"and/or marine areas from the pull down menu."_s,
                             true);
    // A drop-down's name is the text in its field (the prompt, then the chosen area); the label is
    // what says what it is for.
    areaNote->setBuddy(m_picker->combo());
    grid->addWidget(areaNote, 1, 0, 1, 2);
    grid->addLayout(database, 2, 0);
    grid->addLayout(notes, 2, 1);
    grid->addWidget(m_picker->combo(), 3, 0, 1, 2);
    grid->addLayout(list, 4, 0);
    grid->addLayout(outgoing, 4, 1);
    grid->setContentsMargins(PageMargins);
    // The outgoing string's caption keeps its run of blanks on one line: give that column more room.
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    grid->setRowStretch(4, 1);
}

void LocationsPage::refresh() {
    m_lblLocation10->setText(form().lblLocation10);
    m_lblLocation9->setText(form().lblLocation9);
    m_lblLocation8->setText(form().lblLocation8);
    m_lblLocations13->setText(form().lblLocations13);
    m_picker->refresh();
    showBoxes();
    showEnabled(m_cmdAdd1, FormModel::cmdAdd1);
    showEnabled(m_cmdClear1, FormModel::cmdClear1);
}

} // namespace quenbury::ui
