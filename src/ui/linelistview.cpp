#include "ui/linelistview.h"

#include "locations/areafind.h"
#include "wizard/linelistmodel.h"

#include <QAccessibleTableInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quenbury::ui {

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
    setModel(model);
    // The user's selection is the model's own, so handlers read it without copying.
    QItemSelectionModel* own = selectionModel();
    setSelectionModel(model->selectionModel());
    delete own;
    connect(model, &wizard::LineListModel::shownChanged, this, &LineListView::applyShown);
    connect(model, &wizard::LineListModel::revealRequested, this,
            [this](int row) { scrollTo(m_lines->index(row), QAbstractItemView::PositionAtTop); });
}

// Touches only the rows whose state changes: hiding a row costs the view a persistent index.
void LineListView::applyShown() {
    const int rows = m_lines->rowCount();
    // Each hidden row asks for a repaint of the whole list: ask once.
    viewport()->setUpdatesEnabled(false);
    for (int row = 0; row < rows; ++row) {
        const bool hide = !m_lines->isShown(row);
        if (isRowHidden(row) != hide)
            setRowHidden(row, hide);
    }
    viewport()->setUpdatesEnabled(true);
    viewport()->update();
}

void LineListView::selectAll() {
    if (m_lines)
        m_lines->selectShown();
}

void LineListView::keyPressEvent(QKeyEvent* event) {
    // The line at the top tells the height of every line: their sizes are uniform.
    const int rowHeight = std::max(visualRect(indexAt(QPoint(1, 1))).height(), 1);
    if (m_lines && m_lines->pressKey(event->key(), event->modifiers(), viewport()->height() / rowHeight))
        event->accept();
    else
        QListView::keyPressEvent(event);
}

// Qt names only the list when it gets the focus: the current line is what the user is on. Told after
// the list's own focus event, which Qt sends once this returns.
void LineListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus())
                tellAccessibility(QAccessible::Focus, currentIndex());
        },
        Qt::QueuedConnection);
}

// The model sees the click first: a shift-click extends from the line current before it.
void LineListView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex line = indexAt(event->position().toPoint());
    if (m_lines && line.isValid() && event->button() == Qt::LeftButton)
        m_lines->click(line.row(), event->modifiers());
    QListView::mousePressEvent(event);
}

// A click on a line selects as the model says; Qt keeps dragging a range and a click beside the lines.
QItemSelectionModel::SelectionFlags LineListView::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
    const bool click =
        event && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease);
    if (m_lines && click && index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QListView::selectionCommand(index, event);
}

// Qt's own list view names a line to accessibility by its place among the lines in view, while the
// tree it offers counts every line of the model: with a find active a screen reader would read
// another line than the one shown. Its overrides do nothing else, so they are skipped and the line
// is named by its place in the tree.
void LineListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    if (hasFocus())
        tellAccessibility(QAccessible::Focus, current);
}

// Like Qt's, it names the first line of each change only: a range of 32,767 lines is one event.
void LineListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    const auto first = [](const QItemSelection& ranges) -> QModelIndex {
        for (const QItemSelectionRange& range : ranges) {
            if (range.isValid())
                return range.topLeft();
        }
        return QModelIndex();
    };
    tellAccessibility(QAccessible::SelectionAdd, first(selected));
    tellAccessibility(QAccessible::SelectionRemove, first(deselected));
    QAbstractItemView::selectionChanged(selected, deselected);
}

void LineListView::tellAccessibility(QAccessible::Event what, const QModelIndex& line) {
    if (!line.isValid() || !QAccessible::isActive())
        return;
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface* table = view ? view->tableInterface() : nullptr;
    QAccessibleInterface* cell = table ? table->cellAt(line.row(), line.column()) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent event(this, what);
    event.setChild(view->indexOfChild(cell));
    QAccessible::updateAccessibility(&event);
}

} // namespace quenbury::ui
