#pragma once

#include "locations/areafind.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QList>
#include <QStringList>

#include <functional>

namespace quenbury::wizard {

// One code list (lstList1 or lstList2): lines in the order they were appended, the user's
// selection, and which lines the find field lets the view show. The list view shows this model and edits this
// selection directly, so the handlers always see what the user selected. Selections are kept as ranges:
// selecting row by row is quadratic in Qt, and a list may hold 32,767 lines.
class LineListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LineListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // What a screen reader says for a line, set by the view that shows it; the line alone until then.
    void setSpokenText(std::function<QString(const QString& line)> spokenText) {
        m_spokenText = std::move(spokenText);
    }

    const QStringList& lines() const { return m_lines; }
    qsizetype size() const { return m_lines.size(); }
    void appendLines(const QStringList& lines);

    QItemSelectionModel* selectionModel() { return &m_selection; }
    QList<qsizetype> selectedRows() const; // ascending
    void setSelected(qsizetype row, bool selected);
    void selectRange(qsizetype first, qsizetype last);
    void clearSelection();
    // "3 lines selected", or nothing when none is: hidden lines count, since Add Item takes them too.
    QString selectionCaption() const;

    // Shows only the lines the typed text finds. What is shown never changes what is selected.
    void filter(QStringView typed);
    bool isShown(qsizetype row) const { return m_hidden.isEmpty() || !m_hidden[row]; }

Q_SIGNALS:
    // A handler selected this row for the user; the view should scroll it into sight.
    void revealRequested(int row);
    // The lines that isShown() accepts changed, by a new filter or by lines appended under one.
    void shownChanged();

public:
    void reveal(qsizetype row) { Q_EMIT revealRequested(int(row)); }

private:
    QStringList m_lines;
    std::function<QString(const QString&)> m_spokenText;
    QItemSelectionModel m_selection;
    locations::LineQuery m_query;
    QList<bool> m_hidden; // empty while every line is shown
};

} // namespace quenbury::wizard
