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
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_lines[index.row()];
    return {};
}

void LineListModel::appendLines(const QStringList& lines) {
    if (lines.isEmpty())
        return;
    beginInsertRows({}, int(m_lines.size()), int(m_lines.size() + lines.size() - 1));
    m_lines.append(lines);
    endInsertRows();
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
