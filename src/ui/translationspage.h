#pragma once

#include "ui/wizardpage.h"

#include <QStringListModel>

namespace quenbury::ui {

class LinePicker;

// The Translations page: Brisvane 100 finishes the file at once; Brisvane 400 adds the translation
// header, then translation lines picked from the list as on the Locations page.
class TranslationsPage : public WizardPage {
    Q_OBJECT
public:
    TranslationsPage(wizard::Wizard& wizard, ActionRunner run);

    void refresh() override;

private:
    LinePicker* m_picker;
    QStringListModel m_databaseLines; // what rtxtTranslations1 shows
    QPushButton* m_cmdAddItem2;
    QPushButton* m_cmdClear2;
    QPushButton* m_cmdContinue5;
};

} // namespace quenbury::ui
