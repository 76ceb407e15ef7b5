#include "ui/eventspage.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPushButton>
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

EventsPage::EventsPage(QWidget* parent)
    : QWidget(parent) {
    title = new QLabel(u"Select Match Events"_s, this);
    title->setObjectName(u"lblEvents1"_s);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);

    instructions =
        new QLabel(u"Click the check boxes to select the events to activate the Brisvane, then click "
                   u"the Continue button."_s,
                   this);
    instructions->setObjectName(u"Label1"_s);
    instructions->setWordWrap(true);

    const std::array<std::pair<QString, QString>, 5> buttonTexts{{
        {u"cmdSelectAll1"_s, u"&SelectAll"_s},
        {u"cmdClearAll1"_s, u"&Clear All"_s},
        {u"cmdContinue2"_s, u"C&ontinue"_s},
        {u"cmdBack0"_s, u"&Back"_s},
        {u"cmdEnd2"_s, u"&End"_s},
    }};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i] = new QPushButton(buttonTexts[i].second, this);
        buttons[i]->setObjectName(buttonTexts[i].first);
        buttons[i]->setAutoDefault(true); // Enter works it once it has the focus, as Space does
    }

    for (int i = 0; i < events::EventCount; ++i) {
        const QString caption = events::EventCatalogue[std::size_t(i)].caption.toString();
        auto* box = new QCheckBox(this);
        box->setObjectName(u"Check"_s + QString::number(i + 1));
        box->setAccessibleName(caption);
        boxes[std::size_t(i)] = box;
        auto* label = new EventLabel(caption, box, this);
        label->setObjectName(u"Label2_"_s + QString::number(i));
        labels[std::size_t(i)] = label;
    }
    for (QLabel* label : {title, instructions})
        label->setTextFormat(Qt::PlainText);

    // 53 captions in three columns fit the window's opening width only in a narrower face.
    QFont captionFont;
    captionFont.setStretch(QFont::SemiCondensed);
    captionFont.setResolveMask(QFont::StretchResolved);
    for (EventLabel* label : labels)
        label->setFont(captionFont);
}

EventsPage::Metrics EventsPage::metrics() const {
    Metrics m{};
    // Three columns of captions fill the page at the window's opening size: narrow borders.
    m.margin = 6;
    m.gap = 6;
    for (const QCheckBox* box : boxes)
        m.boxWidth = std::max(m.boxWidth, box->sizeHint().width());
    for (const EventLabel* label : labels)
        m.labelWidth = std::max(m.labelWidth, label->sizeHint().width());
    for (const QPushButton* button : buttons) {
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
        m.margin + title->sizeHint().height() + 2 + instructions->heightForWidth(textWidth);
    const int buttonsHeight = int(buttons.size()) * m.buttonHeight + int(buttons.size() - 1) * 4;
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
    const int titleHeight = title->sizeHint().height();
    title->setGeometry(m.margin, m.margin, textWidth, titleHeight);
    instructions->setGeometry(m.margin, m.margin + titleHeight + 2, textWidth,
                              instructions->heightForWidth(textWidth));

    const int buttonX = m.margin + 2 * cw;
    const int buttonWidth = std::min(std::max(m.buttonWidth, 90), cw - m.gap);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setGeometry(buttonX, m.margin + int(i) * (m.buttonHeight + 4), buttonWidth,
                                m.buttonHeight);

    for (int i = 0; i < events::EventCount; ++i) {
        const int column = i / RowsPerColumn;
        const int row = i % RowsPerColumn + (column == 2 ? ThirdColumnFirstRow : 0);
        const int x = m.margin + column * cw;
        const int y = top + row * RowPitch;
        QCheckBox* box = boxes[std::size_t(i)];
        const QSize boxSize = box->sizeHint();
        box->setGeometry(x, y + (RowPitch - boxSize.height()) / 2, boxSize.width(), boxSize.height());
        const int labelX = x + m.boxWidth + 2;
        labels[std::size_t(i)]->setGeometry(labelX, y, cw - m.gap - m.boxWidth - 2, RowPitch);
    }
}

} // namespace quenbury::ui
