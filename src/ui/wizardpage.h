#pragma once

#include "ui/textbox.h"
#include "wizard/formmodel.h"

#include <QWidget>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quenbury::wizard {
class Wizard;
}

namespace quenbury::ui {

// Runs one user action: the user's edits into the model, the handler, the model back on screen.
using ActionRunner = std::function<void(const std::function<void()>& handler)>;

// One page of the wizard. It builds its controls, each named and captioned as the program shows them,
// forwards every user action to the wizard's handler and shows what the form model holds. The
// window keeps the model and every page in step around each action.
class WizardPage : public QWidget {
    Q_OBJECT
public:
    // Made apart from the window and in the application's font, as the pages were laid out: the
    // window's smaller font reaches them when the tab control takes them.
    WizardPage(wizard::Wizard& wizard, ActionRunner run);

    // Copies what the user typed into the page's boxes into the model.
    void storeEdits();
    // Shows what the model holds.
    virtual void refresh() = 0;
    // The page's inputs in reading order, the order Tab walks them in.
    const QWidgetList& tabOrder() const { return m_tabOrder; }

protected:
    wizard::FormModel& form() const;
    void act(const std::function<void()>& handler) const { m_run(handler); }
    // A button of the page that runs its handler when clicked.
    QPushButton* boundButton(const QString& name, const QString& caption, void (wizard::Wizard::*handler)());
    // `edited`, when given, runs after every change the user makes in the box.
    void bindBox(QPlainTextEdit* box, QString wizard::FormModel::*field, std::function<void()> edited = {},
                 TextBoxBinding::Shows shows = TextBoxBinding::Shows::FirstChange);
    void showBoxes();
    void showEnabled(QPushButton* button, wizard::FormModel::Button which) const;

    wizard::Wizard& m_wizard;
    QWidgetList m_tabOrder;

private:
    ActionRunner m_run;
    std::vector<std::unique_ptr<TextBoxBinding>> m_boxes;
};

// The pages are crowded at the window's opening size: their borders are narrow.
extern const QMargins PageMargins;

// Controls as every page makes them, each carrying its control's name as objectName.
QLabel* label(QWidget* page, const QString& name, const QString& caption, bool wrap = false);
QLabel* title(QWidget* page, const QString& name, const QString& caption);
// A label showing a path or a figure set at run time: it wraps and never widens the window.
QLabel* runtimeLabel(QWidget* page, const QString& name);
QPushButton* button(QWidget* page, const QString& name, const QString& caption);
QPlainTextEdit* textBox(QWidget* page, const QString& name, bool horizontalScroll);
// Makes a box the program's kind of text box: `textBox` with a box of a class of its own.
template <typename Box> Box* textBox(QWidget* page, const QString& name, bool horizontalScroll);
void setUpTextBox(QPlainTextEdit* box, const QString& name, bool horizontalScroll);

template <typename Box> Box* textBox(QWidget* page, const QString& name, bool horizontalScroll) {
    auto* box = new Box(page);
    setUpTextBox(box, name, horizontalScroll);
    return box;
}
// Gives an input the name a screen reader speaks, and ties the label that names it on screen to it.
void name(QWidget* input, const QString& name, QLabel* label, const QString& description = QString());
// A box in a column under the label that names it, named so for a screen reader too.
QVBoxLayout* underCaption(QLabel* caption, QPlainTextEdit* box, const QString& spoken,
                          const QString& description = QString());
// The widgets side by side, pushed left (or right, with `stretchFirst`).
QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretchFirst = false);

} // namespace quenbury::ui
