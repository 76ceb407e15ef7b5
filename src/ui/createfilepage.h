#pragma once

#include "ui/wizardpage.h"

namespace quenbury::ui {

class LineNumberedEdit;

// The Create File page: the whole text in the Current File box, with its lines numbered, Verify
// File's report beside it, Save File and Clear. The box tints the lines with problems and takes the
// cursor to them.
class CreateFilePage : public WizardPage {
    Q_OBJECT
public:
    CreateFilePage(wizard::Wizard& wizard, ActionRunner run);

    void refresh() override;

Q_SIGNALS:
    // Where the Current File box's cursor stands while the box has the focus ("Line 189, Column 14"),
    // and nothing once it has not.
    void cursorPlaceChanged(const QString& place);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showProblems();
    void goToProblem();
    void tellCursorPlace();

    LineNumberedEdit* m_txtCreate2;
    QPlainTextEdit* m_txtCreate3;
    QPushButton* m_cmdSave1;
    QPushButton* m_cmdEnd5;
    QList<wizard::Problem> m_tinted; // the problems whose lines are tinted
    int m_goneTo = 0;                // the last request to go to a problem that the box followed
};

} // namespace quenbury::ui
