#include "wizard/linelistmodel.h"

#include <algorithm>

namespace quenbury::wizard {

LineListModel::LineListModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_selection(this) {}

int LineListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    const QString& line = m_lines[index.row()];
    if (role == Qt::DisplayRole)
        return line;
    // Screen readers ask the model, not the view, for what an item says.
    if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
        const QStringView area = locations::areaName(line);
        return area.isEmpty() ? line : line + QStringLiteral(", ") + area.toString();
    }
    return {};
}

void LineListModel::appendLines(const QStringList& lines) {
    if (lines.isEmpty())
        return;
    beginInsertRows({}, int(m_lines.size()), int(m_lines.size() + lines.size() - 1));
    m_lines.append(lines);
    endInsertRows();
    if (!m_query.isEmpty()) {
        for (const QString& line : lines)
            m_hidden.append(!m_query.matches(line));
        Q_EMIT shownChanged();
    }
}

void LineListModel::filter(QStringView typed) {
    locations::LineQuery query(typed);
    if (query == m_query)
        return;
    m_query = std::move(query);
    m_hidden.clear();
    if (!m_query.isEmpty()) {
        m_hidden.reserve(m_lines.size());
        for (const QString& line : std::as_const(m_lines))
            m_hidden.append(!m_query.matches(line));
    }
    Q_EMIT shownChanged();
}

QString LineListModel::selectionCaption() const {
    const QList<qsizetype> rows = selectedRows();
    const qsizetype count = rows.size();
    if (count == 0)
        return {};
    QString caption =
        count == 1 ? QStringLiteral("1 line selected") : QStringLiteral("%1 lines selected").arg(count);
    const auto hidden =
        std::count_if(rows.begin(), rows.end(), [this](qsizetype row) { return !isShown(row); });
    if (hidden > 0)
        caption += QStringLiteral(", %1 hidden by the find").arg(hidden);
    return caption;
}

QList<qsizetype> LineListModel::selectedRows() const {
    // The ranges overlap and come in the order they were made: a flag a line puts them in order.
    QList<bool> selected(m_lines.size(), false);
    for (const QItemSelectionRange& range : m_selection.selection())
        std::fill(selected.begin() + range.top(), selected.begin() + range.bottom() + 1, true);
    QList<qsizetype> rows;
    for (qsizetype row = 0; row < selected.size(); ++row) {
        if (selected[row])
            rows.append(row);
    }
    return rows;
}

void LineListModel::setSelected(qsizetype row, bool selected) {
    m_selection.select(index(int(row)),
                       selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void LineListModel::selectRange(qsizetype first, qsizetype last) {
    m_selection.select(QItemSelection(index(int(first)), index(int(last))), QItemSelectionModel::Select);
}

void LineListModel::clearSelection() {
    m_selection.clearSelection();
}

void LineListModel::makeCurrent(qsizetype row, QItemSelectionModel::SelectionFlags how) {
    m_selection.setCurrentIndex(index(int(row)), how);
    m_anchor = row;
}

void LineListModel::reveal(qsizetype row) {
    makeCurrent(row, QItemSelectionModel::NoUpdate);
    Q_EMIT revealRequested(int(row));
}

QList<qsizetype> LineListModel::shownRows() const {
    QList<qsizetype> rows;
    for (qsizetype row = 0; row < m_lines.size(); ++row) {
        if (isShown(row))
            rows.append(row);
    }
    return rows;
}

// The lines in view from `first` to `last`, one range for each run of neighbours: selecting them one
// by one would be quadratic.
QItemSelection LineListModel::shownBetween(qsizetype first, qsizetype last) const {
    QItemSelection runs;
    for (qsizetype row = first; row <= last;) {
        if (!isShown(row)) {
            ++row;
            continue;
        }
        const qsizetype start = row;
        while (row <= last && isShown(row))
            ++row;
        runs.select(index(int(start)), index(int(row - 1)));
    }
    return runs;
}

bool LineListModel::pressKey(int key, Qt::KeyboardModifiers modifiers, int rowsInView) {
    const QList<qsizetype> shown = shownRows();
    const qsizetype current = currentRow();
    // The current line's place among the lines in view; a hidden one stands before the next line shown.
    const qsizetype at = std::lower_bound(shown.begin(), shown.end(), current) - shown.begin();
    const bool atShown = at < shown.size() && shown[at] == current;
    const qsizetype page = std::max(rowsInView - 1, 1); // Qt keeps one line of the last page in sight
    qsizetype to = 0;
    switch (key) {
    case Qt::Key_Space:
        if (atShown) {
            const auto how =
                modifiers & Qt::ControlModifier ? QItemSelectionModel::Toggle : QItemSelectionModel::Select;
            m_selection.select(index(int(current)), how | QItemSelectionModel::Rows);
        }
        return true;
    case Qt::Key_Up:
        to = at - 1;
        break;
    case Qt::Key_Down:
        to = atShown ? at + 1 : at;
        break;
    case Qt::Key_PageUp:
        to = at - page;
        break;
    case Qt::Key_PageDown:
        to = (atShown ? at : at - 1) + page;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = shown.size() - 1;
        break;
    default:
        return false;
    }
    if (shown.isEmpty())
        return true;
    // Without a current line every key starts at the first line in view.
    if (current < 0)
        to = 0;
    moveTo(shown[std::clamp<qsizetype>(to, 0, shown.size() - 1)], modifiers);
    return true;
}

void LineListModel::moveTo(qsizetype row, Qt::KeyboardModifiers modifiers) {
    if (row == currentRow())
        return;
    const bool control = modifiers & Qt::ControlModifier;
    if (modifiers & Qt::ShiftModifier && !control)
        return extendTo(row);
    // Ctrl, with Shift too, moves without touching the selection.
    makeCurrent(row, control ? QItemSelectionModel::NoUpdate
                             : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// The range from the anchor replaces the one the last shift-move made; lines selected before it stay.
// Until a click or a move sets the anchor, the range starts at the current line, as in Qt.
void LineListModel::extendTo(qsizetype row) {
    if (m_anchor < 0)
        m_anchor = currentRow() < 0 ? row : currentRow();
    m_selection.setCurrentIndex(index(int(row)), QItemSelectionModel::NoUpdate);
    m_selection.select(shownBetween(std::min(m_anchor, row), std::max(m_anchor, row)),
                       QItemSelectionModel::SelectCurrent | QItemSelectionModel::Rows);
}

void LineListModel::click(qsizetype row, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier)
        return extendTo(row);
    const auto how =
        modifiers & Qt::ControlModifier ? QItemSelectionModel::Toggle : QItemSelectionModel::ClearAndSelect;
    makeCurrent(row, how | QItemSelectionModel::Rows);
}

bool LineListModel::enterFromFind() {
    const QList<qsizetype> shown = shownRows();
    if (shown.isEmpty())
        return false;
    makeCurrent(shown[0], QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Q_EMIT revealRequested(int(shown[0]));
    return true;
}

void LineListModel::selectShown() {
    m_selection.select(shownBetween(0, m_lines.size() - 1), QItemSelectionModel::Select);
}

} // namespace quenbury::wizard
