#pragma once

#include "ui/wizardpage.h"

namespace quenbury::ui {

class LinePicker;

// The Locations page: the location database, the list of its lines with the area drop-down and the
// find, and the outgoing string that Add Item, Clear and Continue work on.
class LocationsPage : public WizardPage {
    Q_OBJECT
public:
    LocationsPage(wizard::Wizard& wizard, ActionRunner run);

    void refresh() override;

private:
    QLabel* m_lblLocation10;
    QLabel* m_lblLocation9;
    QLabel* m_lblLocation8;
    QLabel* m_lblLocations13;
    LinePicker* m_picker;
    QPushButton* m_cmdAdd1;
    QPushButton* m_cmdClear1;
};

} // namespace quenbury::ui
