#pragma once

#include "ui/wizardpage.h"

#include <QStringListModel>

class QListView;

namespace quenbury::ui {

class LinePicker;

// The Translations page: Brisvane 100 finishes the file at once; Brisvane 400 adds the translation
// header, then translation lines picked from the list as on the Locations page.
class TranslationsPage : public WizardPage {
    Q_OBJECT
public:
    TranslationsPage(wizard::Wizard& wizard, ActionRunner run, QWidget* parent);

    void refresh() override;
    QWidgetList tabOrder() const override;

private:
    QPushButton* m_cmdContinue4;
    QPushButton* m_cmdBrisvane400;
    LinePicker* m_picker;
    QPlainTextEdit* m_txtTranslations1;
    QListView* m_rtxtTranslations1; // the last loaded database, one line per row
    QStringListModel m_databaseLines;
    QPushButton* m_cmdAddItem2;
    QPushButton* m_cmdClear2;
    QPushButton* m_cmdContinue5;
    QPushButton* m_cmdBack3;
    QPushButton* m_cmdEnd4;
};

} // namespace quenbury::ui
