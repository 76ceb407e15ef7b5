#include "ui/wizardpage.h"

#include "wizard/wizard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace quenbury::ui {

const QMargins PageMargins(6, 6, 6, 6);

WizardPage::WizardPage(wizard::Wizard& wizard, ActionRunner run)
    : m_wizard(wizard)
    , m_run(std::move(run)) {}

wizard::FormModel& WizardPage::form() const {
    return m_wizard.form();
}

void WizardPage::storeEdits() {
    for (const auto& box : m_boxes)
        box->storeEdits();
}

QPushButton* WizardPage::boundButton(const QString& name, const QString& caption,
                                     void (wizard::Wizard::*handler)()) {
    QPushButton* made = button(this, name, caption);
    wizard::Wizard* wizard = &m_wizard;
    connect(made, &QAbstractButton::clicked, this,
            [this, wizard, handler] { act([wizard, handler] { std::invoke(handler, *wizard); }); });
    return made;
}

void WizardPage::bindBox(QPlainTextEdit* box, QString wizard::FormModel::*field, std::function<void()> edited,
                         TextBoxBinding::Shows shows) {
    m_boxes.push_back(std::make_unique<TextBoxBinding>(box, &(form().*field), std::move(edited), shows));
}

void WizardPage::showBoxes() {
    for (const auto& box : m_boxes)
        box->show();
}

void WizardPage::showEnabled(QPushButton* button, wizard::FormModel::Button which) const {
    button->setEnabled(form().enabled[std::size_t(which)]);
}

QLabel* label(QWidget* page, const QString& name, const QString& caption, bool wrap) {
    auto* l = new QLabel(caption, page);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText); // captions are shown as written, never read as markup
    l->setWordWrap(wrap);
    return l;
}

QLabel* title(QWidget* page, const QString& name, const QString& caption) {
    QLabel* l = label(page, name, caption);
    QFont font = l->font();
    font.setBold(true);
    l->setFont(font);
    return l;
}

QLabel* runtimeLabel(QWidget* page, const QString& name) {
    QLabel* l = label(page, name, QString(), true);
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QPushButton* button(QWidget* page, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, page);
    b->setObjectName(name);
    // Enter works the button that has the focus, as Space does.
    b->setAutoDefault(true);
    return b;
}

QPlainTextEdit* textBox(QWidget* page, const QString& name, bool horizontalScroll) {
    return textBox<QPlainTextEdit>(page, name, horizontalScroll);
}

void setUpTextBox(QPlainTextEdit* box, const QString& name, bool horizontalScroll) {
    box->setObjectName(name);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Wrapping a line costs time that grows with the square of its length: a 1 MB line would hold
    // the window for minutes. Match-file lines are short; a longer one scrolls sideways, and a box's
    // row N stays the file's line N.
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    if (horizontalScroll)
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    box->setMinimumHeight(48);
}

void name(QWidget* input, const QString& name, QLabel* label, const QString& description) {
    label->setBuddy(input);
    input->setAccessibleName(name);
    input->setAccessibleDescription(description);
}

QVBoxLayout* underCaption(QLabel* caption, QPlainTextEdit* box, const QString& spoken,
                          const QString& description) {
    name(box, spoken, caption, description);
    auto* column = new QVBoxLayout;
    column->addWidget(caption);
    column->addWidget(box, 1);
    return column;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretchFirst) {
    auto* layout = new QHBoxLayout;
    if (stretchFirst)
        layout->addStretch();
    for (QWidget* w : widgets)
        layout->addWidget(w);
    if (!stretchFirst)
        layout->addStretch();
    return layout;
}

} // namespace quenbury::ui
