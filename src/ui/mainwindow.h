#pragma once

#include "wizard/formmodel.h"
#include "wizard/platform.h"
#include "wizard/wizard.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <vector>

class QLabel;
class QTabWidget;

namespace quenbury::ui {

class WizardPage;

// The window frmMain: the frame of the five pages. It holds the tab control, the menu and the status
// bar, and runs each user action: the user's edits into the form model, the wizard's handler, then
// every page shown afresh and the focus where the handler put it. The pages bind their own controls.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // When the pages after the Start page are built. The program shows its window sooner by building
    // them right after the window is first shown; a caller that looks at them at once wants them now.
    enum class LaterPages { AtOnce, AfterShow };

    // Runs Form_Load, so the window is ready to show when this returns.
    MainWindow(wizard::Platform& platform, const QString& databaseFolder,
               LaterPages later = LaterPages::AtOnce, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a match file as the File menu's "Open…" does, for a file named when the program starts.
    void openAtStart(const QString& path);

    wizard::FormModel& form() { return m_form; }
    wizard::Wizard& wizard() { return m_wizard; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addPage(int index, WizardPage* page);
    void completePages();
    void run(const std::function<void()>& handler);
    void refresh();
    QString focusName() const;
    QWidget* focusTarget() const;
    void moveFocus(bool showMark);
    void speak();
    bool isPageBackground(QWidget* page, QPoint pos) const;

    wizard::FormModel m_form;
    wizard::Wizard m_wizard;
    QTabWidget* m_SSTab1;
    QLabel* m_lblSaved; // in the status bar: where the last save went
    QLabel* m_lblPlace; // at its right end: the Current File box's cursor, while it has the focus
    std::vector<WizardPage*> m_pages; // those built so far, in page order
    bool m_refreshing = false;
    QPointer<QWidget> m_speaking; // the control that carries the word of a Verify File or save
    QString m_ownDescription;     // its own description, given back when the word goes
    int m_spokenCount = 0;
};

} // namespace quenbury::ui
