#pragma once

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QList>
#include <QStringList>

namespace quenbury::wizard {

// One code list (lstList1 or lstList2): lines in the order they were appended and the user's
// selection. The list view shows this model and edits this selection directly, so the handlers
// always see what the user selected. Selections are kept as ranges: selecting row by row is
// quadratic in Qt, and a list may hold 32,767 lines.
class LineListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LineListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QStringList& lines() const { return m_lines; }
    qsizetype size() const { return m_lines.size(); }
    void appendLines(const QStringList& lines);

    QItemSelectionModel* selectionModel() { return &m_selection; }
    QList<qsizetype> selectedRows() const; // ascending
    void setSelected(qsizetype row, bool selected);
    void selectRange(qsizetype first, qsizetype last);
    void clearSelection();

Q_SIGNALS:
    // A handler selected this row for the user; the view should scroll it into sight.
    void revealRequested(int row);

public:
    void reveal(qsizetype row) { Q_EMIT revealRequested(int(row)); }

private:
    QStringList m_lines;
    QItemSelectionModel m_selection;
};

} // namespace quenbury::wizard
