#include "ui/linepicker.h"

#include "locations/areatable.h"
#include "ui/linelistview.h"
#include "wizard/wizard.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

#include <functional>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

namespace {

// No row chosen: the prompt in the field, read from its start.
void showPrompt(QComboBox* combo, const QString& prompt) {
    combo->setCurrentIndex(-1);
    combo->setEditText(prompt);
    combo->lineEdit()->setCursorPosition(0);
}

// An area drop-down: the rows of the area table, and the prompt in its text field until the user
// chooses a row. Only a row chosen from the list counts: the field takes no typing, so nothing
// completes, Enter picks nothing and leaving the field chooses nothing. (A combo without a field
// would choose a row by type-ahead instead.)
QComboBox* areaCombo(QWidget* page, const QString& name, const QString& prompt) {
    auto* combo = new QComboBox(page);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->lineEdit()->setReadOnly(true);
    // The drop-down is named by the text in its field; the field itself by what it holds.
    combo->lineEdit()->setAccessibleName(u"Chosen area"_s);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(16);
    combo->setMaxVisibleItems(20);
    for (const locations::Area& area : locations::AreaTable)
        combo->addItem(area.caption.toString());
    showPrompt(combo, prompt);
    combo->setToolTip(prompt);
    return combo;
}

QLineEdit* findField(QWidget* page, const QString& name) {
    auto* field = new QLineEdit(page);
    field->setObjectName(name);
    field->setPlaceholderText(u"Find a county, area or code"_s);
    field->setClearButtonEnabled(true);
    for (QToolButton* clear : field->findChildren<QToolButton*>())
        clear->setAccessibleName(u"Empty the find field"_s);
    field->setAccessibleName(u"Find locations"_s);
    field->setAccessibleDescription(
        u"Shows only the lines that hold every word typed, in their text or their area's name, or "
        u"whose area a word names by its postal code"_s);
    return field;
}

LineListView* lineList(QWidget* page, const QString& name) {
    auto* list = new LineListView(page);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setMinimumHeight(48);
    list->setAccessibleName(u"Loaded locations"_s);
    return list;
}

} // namespace

LinePicker::LinePicker(QWidget* page, wizard::Wizard& wizard, ActionRunner run, const Parts& parts)
    : QObject(page)
    , m_wizard(wizard)
    , m_run(std::move(run))
    , m_parts(parts)
    , m_combo(areaCombo(page, parts.combo, parts.prompt))
    , m_find(findField(page, parts.find))
    , m_list(lineList(page, parts.list))
    // How many lines are selected, shown or not, read by a screen reader as it is shown. It wraps
    // rather than widen the window when it also says how many the find hides.
    , m_count(label(page, parts.count, QString(), true)) {
    wizard::LineListModel& lines = form().*m_parts.lines;
    m_list->setLineModel(&lines);
    // The user selects in the view, outside any handler, and a find hides selected lines: the count
    // follows both.
    const auto showCount = [this, &lines] { m_count->setText(lines.selectionCaption()); };
    connect(lines.selectionModel(), &QItemSelectionModel::selectionChanged, m_count, showCount);
    connect(&lines, &wizard::LineListModel::shownChanged, m_count, showCount);

    // Every choice the user makes counts, also of the row already shown: the list may have changed
    // since. refresh() changes the rows with signals blocked.
    connect(m_combo, &QComboBox::activated, this, [this](int row) {
        if (row < 0)
            return;
        m_run([this, row] {
            form().*m_parts.area = row;
            std::invoke(m_parts.choose, m_wizard);
        });
    });
    connect(m_find, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_run([this, text] {
            form().*m_parts.findText = text;
            std::invoke(m_parts.findChanged, m_wizard);
        });
    });
    m_find->installEventFilter(this);
}

wizard::FormModel& LinePicker::form() const {
    return m_wizard.form();
}

bool LinePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_find || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const wizard::Wizard::FindKey what = wizard::Wizard::findKey(key->key(), key->modifiers());
    if (what == wizard::Wizard::FindKey::Typed)
        return false;
    m_run([this, what] { std::invoke(m_parts.findKey, m_wizard, what); });
    return true;
}

void LinePicker::refresh() {
    const int row = form().*m_parts.area;
    if (m_combo->currentIndex() != row) {
        const QSignalBlocker blocker(m_combo);
        if (row < 0)
            showPrompt(m_combo, m_parts.prompt);
        else
            m_combo->setCurrentIndex(row);
    }
    const QString& find = form().*m_parts.findText;
    if (m_find->text() != find) {
        const QSignalBlocker blocker(m_find);
        m_find->setText(find);
    }
}

} // namespace quenbury::ui
