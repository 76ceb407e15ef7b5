#pragma once

#include "ui/wizardpage.h"
#include "wizard/wizard.h"

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;

namespace quenbury::wizard {
class LineListModel;
}

namespace quenbury::ui {

class LineListView;

// The area drop-down, the find field, the list of database lines and the count of selected lines
// that the Locations and Translations pages share, each page with its own controls and handlers. The
// page places the four controls in its layout.
class LinePicker : public QObject {
    Q_OBJECT
public:
    // Which controls and which handlers: the names are the controls' own.
    struct Parts {
        QString combo;
        QString find;
        QString list;
        QString count;
        QString prompt; // the drop-down's text until the user chooses an area
        int wizard::FormModel::*area;
        QString wizard::FormModel::*findText;
        wizard::LineListModel wizard::FormModel::*lines;
        void (wizard::Wizard::*choose)();
        void (wizard::Wizard::*findChanged)();
        void (wizard::Wizard::*findKey)(wizard::Wizard::FindKey key);
    };

    LinePicker(QWidget* page, wizard::Wizard& wizard, ActionRunner run, const Parts& parts);

    QComboBox* combo() const { return m_combo; }
    QLineEdit* find() const { return m_find; }
    LineListView* list() const { return m_list; }
    QLabel* count() const { return m_count; }

    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    wizard::FormModel& form() const;

    wizard::Wizard& m_wizard;
    ActionRunner m_run;
    Parts m_parts;
    QComboBox* m_combo;
    QLineEdit* m_find;
    LineListView* m_list;
    QLabel* m_count;
};

} // namespace quenbury::ui
