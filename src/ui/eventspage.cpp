#include "ui/eventspage.h"

#include "wizard/wizard.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

EventLabel::EventLabel(const QString& caption, QCheckBox* box, QWidget* parent)
    : QLabel(caption, parent)
    , m_box(box) {
    setTextFormat(Qt::PlainText);
    setBuddy(box);
}

void EventLabel::mousePressEvent(QMouseEvent* event) {
    event->setAccepted(event->button() == Qt::LeftButton);
}

void EventLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        m_box->isEnabled()) {
        m_box->click();
        event->accept();
        return;
    }
    event->ignore();
}

EventsPage::EventsPage(wizard::Wizard& wizard, ActionRunner run)
    : WizardPage(wizard, std::move(run)) {
    m_title = title(this, u"lblEvents1"_s, u"Select Match Events"_s);

    m_instructions = label(this, u"Label1"_s,
                           u"Click the check boxes to select the events to activate the Brisvane, then "
                           u"click the Continue button."_s,
                           true);

    m_buttons = {button(this, u"cmdSelectAll1"_s, u"&SelectAll"_s),
                 boundButton(u"cmdClearAll1"_s, u"&Clear All"_s, &wizard::Wizard::cmdClearAll1_Click),
                 boundButton(u"cmdContinue2"_s, u"C&ontinue"_s, &wizard::Wizard::cmdContinue2_Click),
                 boundButton(u"cmdBack0"_s, u"&Back"_s, &wizard::Wizard::cmdBack0_Click),
                 boundButton(u"cmdEnd2"_s, u"&End"_s, &wizard::Wizard::cmdEnd2_Click)};
    // Element 0 of a one-element button array.
    connect(m_buttons[0], &QPushButton::clicked, this,
            [this] { act([this] { m_wizard.cmdSelectAll1_Click(0); }); });

    for (int i = 0; i < events::EventCount; ++i) {
        const QString caption = events::EventCatalogue[std::size_t(i)].caption.toString();
        auto* box = new QCheckBox(this);
        box->setObjectName(u"Check"_s + QString::number(i + 1));
        box->setAccessibleName(caption);
        m_boxes[std::size_t(i)] = box;
        auto* label = new EventLabel(caption, box, this);
        label->setObjectName(u"Label2_"_s + QString::number(i));
        m_labels[std::size_t(i)] = label;
        // A tick is the user's edit: it goes into the model at once, and nothing else happens.
        connect(box, &QCheckBox::toggled, this,
                [this, i](bool ticked) { form().Check[std::size_t(i)] = ticked; });
    }

    // 53 captions in three columns fit the window's opening width only in a narrower face.
    QFont captionFont;
    captionFont.setStretch(QFont::SemiCondensed);
    captionFont.setResolveMask(QFont::StretchResolved);
    for (EventLabel* label : m_labels)
        label->setFont(captionFont);

    // The buttons stand at the top, level with the title; then the rows, a column at a time.
    m_tabOrder = {m_buttons.begin(), m_buttons.end()};
    m_tabOrder.append({m_boxes.begin(), m_boxes.end()});
}

void EventsPage::refresh() {
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i]->isChecked() != form().Check[i]) {
            const QSignalBlocker blocker(m_boxes[i]);
            m_boxes[i]->setChecked(form().Check[i]);
        }
    }
}

EventsPage::Metrics EventsPage::metrics() const {
    Metrics m{};
    // Three columns of captions fill the page at the window's opening size: narrow borders.
    m.margin = 6;
    m.gap = 6;
    for (const QCheckBox* box : m_boxes)
        m.boxWidth = std::max(m.boxWidth, box->sizeHint().width());
    for (const EventLabel* label : m_labels)
        m.labelWidth = std::max(m.labelWidth, label->sizeHint().width());
    for (const QPushButton* button : m_buttons) {
        m.buttonWidth = std::max(m.buttonWidth, button->sizeHint().width());
        m.buttonHeight = std::max(m.buttonHeight, button->sizeHint().height());
    }
    return m;
}

int EventsPage::columnWidth(const Metrics& m) const {
    const int needed = m.boxWidth + 2 + m.labelWidth + m.gap;
    return std::max(needed, (width() - 2 * m.margin) / 3);
}

// The rows start below the title and instructions, and low enough that the five buttons fit
// above the third column.
int EventsPage::rowsTop(const Metrics& m, int columnWidth) const {
    const int textWidth = 2 * columnWidth - m.gap;
    const int textBottom =
        m.margin + m_title->sizeHint().height() + 2 + m_instructions->heightForWidth(textWidth);
    const int buttonsHeight = int(m_buttons.size()) * m.buttonHeight + int(m_buttons.size() - 1) * 4;
    const int buttonsBottom = m.margin + buttonsHeight;
    return std::max(textBottom + 4, buttonsBottom + 4 - ThirdColumnFirstRow * RowPitch);
}

QSize EventsPage::minimumSizeHint() const {
    const Metrics m = metrics();
    const int columnWidth = m.boxWidth + 2 + m.labelWidth + m.gap;
    const int top = rowsTop(m, columnWidth);
    return {2 * m.margin + 3 * columnWidth, top + RowsPerColumn * RowPitch + m.margin};
}

QSize EventsPage::sizeHint() const {
    return minimumSizeHint();
}

void EventsPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

void EventsPage::place() {
    const Metrics m = metrics();
    const int cw = columnWidth(m);
    const int top = rowsTop(m, cw);

    const int textWidth = 2 * cw - m.gap;
    const int titleHeight = m_title->sizeHint().height();
    m_title->setGeometry(m.margin, m.margin, textWidth, titleHeight);
    m_instructions->setGeometry(m.margin, m.margin + titleHeight + 2, textWidth,
                                m_instructions->heightForWidth(textWidth));

    const int buttonX = m.margin + 2 * cw;
    const int buttonWidth = std::min(std::max(m.buttonWidth, 90), cw - m.gap);
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setGeometry(buttonX, m.margin + int(i) * (m.buttonHeight + 4), buttonWidth,
                                  m.buttonHeight);

    for (int i = 0; i < events::EventCount; ++i) {
        const int column = i / RowsPerColumn;
        const int row = i % RowsPerColumn + (column == 2 ? ThirdColumnFirstRow : 0);
        const int x = m.margin + column * cw;
        const int y = top + row * RowPitch;
        QCheckBox* box = m_boxes[std::size_t(i)];
        const QSize boxSize = box->sizeHint();
        box->setGeometry(x, y + (RowPitch - boxSize.height()) / 2, boxSize.width(), boxSize.height());
        const int labelX = x + m.boxWidth + 2;
        m_labels[std::size_t(i)]->setGeometry(labelX, y, cw - m.gap - m.boxWidth - 2, RowPitch);
    }
}

} // namespace quenbury::ui
