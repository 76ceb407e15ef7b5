#include "ui/linelistview.h"

#include "locations/areafind.h"
#include "wizard/linelistmodel.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace quenbury::ui {

QString AreaNameDelegate::spokenText(const QString& line) {
    const QStringView area = locations::areaName(line);
    return area.isEmpty() ? line : line + QStringLiteral(", ") + area.toString();
}

bool AreaNameDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(), spokenText(index.data().toString()), view);
    return true;
}

void AreaNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const QString line = index.data(Qt::DisplayRole).toString();
    const QStringView area = locations::areaName(line);
    if (area.isEmpty())
        return;
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // Where the base painter put the line's text, and one blank's room after it.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    rect.adjust(margin + opt.fontMetrics.horizontalAdvance(opt.text + QStringLiteral("  ")), 0, -margin, 0);
    if (rect.width() <= 0)
        return;
    const QPalette::ColorGroup group =
        opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    QColor colour = opt.palette.color(group, QPalette::PlaceholderText);
    if (opt.state & QStyle::State_Selected) {
        colour = opt.palette.color(group, QPalette::HighlightedText);
        colour.setAlphaF(0.75f); // still muted, and readable on the highlight
    }
    painter->save();
    painter->setPen(colour);
    painter->setFont(opt.font);
    painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter,
                      opt.fontMetrics.elidedText(area.toString(), Qt::ElideRight, rect.width()));
    painter->restore();
}

LineListView::LineListView(QWidget* parent)
    : QListView(parent) {
    setItemDelegate(new AreaNameDelegate(this));
}

void LineListView::setLineModel(wizard::LineListModel* model) {
    m_lines = model;
    model->setSpokenText(&AreaNameDelegate::spokenText);
    setModel(model);
    // The user's selection is the model's own, so handlers read it without copying.
    QItemSelectionModel* own = selectionModel();
    setSelectionModel(model->selectionModel());
    delete own;
    connect(model, &wizard::LineListModel::shownChanged, this, &LineListView::applyShown);
}

// Touches only the rows whose state changes: hiding a row costs the view a persistent index.
void LineListView::applyShown() {
    const int rows = m_lines->rowCount();
    m_hidden.resize(std::size_t(rows), false); // rows the view just got are shown
    // Each hidden row asks for a repaint of the whole list: ask once.
    viewport()->setUpdatesEnabled(false);
    for (int row = 0; row < rows; ++row) {
        const bool hide = !m_lines->isShown(row);
        if (m_hidden[std::size_t(row)] != hide) {
            m_hidden[std::size_t(row)] = hide;
            setRowHidden(row, hide);
        }
    }
    viewport()->setUpdatesEnabled(true);
    viewport()->update();
}

void LineListView::enterFromFind() {
    setFocus(Qt::OtherFocusReason);
    const int rows = m_lines ? m_lines->rowCount() : 0;
    for (int row = 0; row < rows; ++row) {
        if (m_lines->isShown(row)) {
            selectionModel()->setCurrentIndex(m_lines->index(row), QItemSelectionModel::NoUpdate);
            scrollTo(m_lines->index(row));
            return;
        }
    }
}

void LineListView::selectAll() {
    if (!m_lines)
        return QListView::selectAll();
    QItemSelection shown;
    const int rows = m_lines->rowCount();
    for (int row = 0; row < rows;) {
        if (!m_lines->isShown(row)) {
            ++row;
            continue;
        }
        const int first = row;
        while (row < rows && m_lines->isShown(row))
            ++row;
        shown.select(m_lines->index(first), m_lines->index(row - 1));
    }
    selectionModel()->select(shown, QItemSelectionModel::Select);
}

} // namespace quenbury::ui
