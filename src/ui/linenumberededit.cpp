#include "ui/linenumberededit.h"

#include "matchfile/encoding.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

namespace quenbury::ui {

LineNumberedEdit::LineNumberedEdit(QWidget* parent)
    : QPlainTextEdit(parent)
    , m_margin(new QWidget(this)) {
    m_margin->installEventFilter(this); // it paints itself through paintMargin()
    connect(this, &QPlainTextEdit::blockCountChanged, this, &LineNumberedEdit::fitMargin);
    // The margin scrolls with the text and repaints with it.
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0)
            m_margin->scroll(0, dy);
        else
            m_margin->update(0, rect.y(), m_margin->width(), rect.height());
    });
    fitMargin();
}

// As wide as the number of the last line, never narrower than five digits: a margin that widens
// makes the box lay out every line again, 10 MB for 32,767 of them, and moves the text sideways.
int LineNumberedEdit::marginWidth() const {
    const int digits = std::max(5, int(QString::number(std::max(1, blockCount())).size()));
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void LineNumberedEdit::fitMargin() {
    setViewportMargins(marginWidth(), 0, 0, 0);
}

// The box is made before its page joins the window, in another font: the margin must take the
// window's font before any text comes, or it narrows then and every line is laid out again.
void LineNumberedEdit::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitMargin();
}

QString LineNumberedEdit::cursorPlace() const {
    const QTextCursor cursor = textCursor();
    const QString line = cursor.block().text();
    const qsizetype column = matchfile::characterCount(QStringView(line).first(cursor.positionInBlock())) + 1;
    return QStringLiteral("Line %1, Column %2").arg(cursor.blockNumber() + 1).arg(column);
}

void LineNumberedEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_margin->setGeometry(area.left(), area.top(), marginWidth(), area.height());
}

bool LineNumberedEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_margin && event->type() == QEvent::Paint) {
        paintMargin(static_cast<QPaintEvent*>(event));
        return true;
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

// Only the lines in sight are painted: a box may hold 32,767 of them.
void LineNumberedEdit::paintMargin(QPaintEvent* event) {
    QPainter painter(m_margin);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    const int right = m_margin->width() - 4;
    while (block.isValid() && top <= event->rect().bottom()) {
        const qreal height = blockBoundingRect(block).height();
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(QRectF(0, top, right, fontMetrics().height()), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        top += height;
        block = block.next();
    }
}

} // namespace quenbury::ui
