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
    if (role == Qt::AccessibleTextRole && m_spokenText)
        return m_spokenText(line);
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
    const qsizetype count = selectedRows().size();
    if (count == 0)
        return {};
    return count == 1 ? QStringLiteral("1 line selected") : QStringLiteral("%1 lines selected").arg(count);
}

QList<qsizetype> LineListModel::selectedRows() const {
    QList<qsizetype> rows;
    for (const QItemSelectionRange& range : m_selection.selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
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

} // namespace quenbury::wizard
