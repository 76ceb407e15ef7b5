#pragma once

#include "ui/pages.h"
#include "ui/textbox.h"
#include "wizard/formmodel.h"
#include "wizard/platform.h"
#include "wizard/wizard.h"

#include <QMainWindow>
#include <QStringListModel>

#include <functional>
#include <memory>
#include <vector>

namespace quenbury::ui {

// The window frmMain. It builds the five pages and binds them to the form model: the user's
// edits reach the model before a handler runs, and the widgets show the model after it. Every
// rule lives in the wizard's handlers.
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

    wizard::FormModel& form() { return m_form; }
    wizard::Wizard& wizard() { return m_wizard; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void completePages();
    void bindButtons();
    void bindInputs();
    void bindTabs();
    void bindLists();

    // One user action: the user's edits into the model, the handler, the model back on screen.
    void run(const std::function<void()>& handler);
    void storeEdits();
    void refresh();
    void focusShownPage();
    bool isPageBackground(QWidget* page, QPoint pos) const;

    wizard::FormModel m_form;
    wizard::Wizard m_wizard;
    Controls m_c;
    QLabel* m_lblSaved = nullptr; // in the status bar: where the last save went
    std::vector<std::unique_ptr<TextBoxBinding>> m_textBoxes;
    QStringListModel m_databaseLines; // what rtxtTranslations1 shows
    QString m_locationPrompt;
    QString m_translationPrompt;
    QList<QPushButton*> m_boundButtons;
    bool m_refreshing = false;
};

} // namespace quenbury::ui
