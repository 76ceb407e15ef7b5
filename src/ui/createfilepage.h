#pragma once

#include "ui/wizardpage.h"

namespace quenbury::ui {

// The Create File page: the whole text in the Current File box, Verify File's report beside it, Save
// File and Clear.
class CreateFilePage : public WizardPage {
    Q_OBJECT
public:
    CreateFilePage(wizard::Wizard& wizard, ActionRunner run);

    void refresh() override;
    QWidgetList tabOrder() const override;

private:
    QPlainTextEdit* m_txtCreate1;
    QPlainTextEdit* m_txtCreate2;
    QPlainTextEdit* m_txtCreate3;
    QPushButton* m_cmdCreate1;
    QPushButton* m_cmdSave1;
    QPushButton* m_cmdClear3;
    QPushButton* m_cmdBack5;
    QPushButton* m_cmdEnd5;
};

} // namespace quenbury::ui
