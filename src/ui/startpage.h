#pragma once

#include "ui/wizardpage.h"

namespace quenbury::ui {

// The Start page: the program's name, what it is for, its version and logo, Continue and End.
class StartPage : public WizardPage {
    Q_OBJECT
public:
    StartPage(wizard::Wizard& wizard, ActionRunner run);

    void refresh() override {} // shows nothing of the model
};

} // namespace quenbury::ui
