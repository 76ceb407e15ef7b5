#pragma once

#include "locations/areafind.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QList>
#include <QStringList>

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
    // A line's text; its tooltip and what a screen reader says name its area too ("039049Franklin*,
    // Ohio"), so that the 26 Franklins tell themselves apart.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QStringList& lines() const { return m_lines; }
    qsizetype size() const { return m_lines.size(); }
    void appendLines(const QStringList& lines);

    QItemSelectionModel* selectionModel() { return &m_selection; }
    QList<qsizetype> selectedRows() const; // ascending
    void setSelected(qsizetype row, bool selected);
    void selectRange(qsizetype first, qsizetype last);
    void clearSelection();
    // "3 lines selected", or nothing when none is: hidden lines count, since Add Item takes them too,
    // and the caption says how many the find hides ("3 lines selected, 2 hidden by the find").
    QString selectionCaption() const;

    // The keyboard and the mouse over a list with a find: they move over the lines in view only, and
    // select as Qt's extended selection does in a list without one. Shift extends from the anchor, the
    // line of the last plain or Ctrl click or move; Ctrl moves without selecting.
    // A key of the list: Up, Down, Home, End, Page Up and Page Down (a page is `rowsInView` lines),
    // Space and Ctrl+Space. Returns false for a key the view handles itself.
    bool pressKey(int key, Qt::KeyboardModifiers modifiers, int rowsInView);
    // A click on a line in view: it alone selected, Ctrl toggling it, Shift the range from the anchor.
    void click(qsizetype row, Qt::KeyboardModifiers modifiers);
    // Down or Enter in the find field: the first line in view becomes the current line and the only
    // selected one, as a click on it would make it. Returns false when no line is in view.
    bool enterFromFind();
    // Ctrl+A: selects the lines in view; selections the find hides stay as they are.
    void selectShown();
    qsizetype currentRow() const { return m_selection.currentIndex().row(); } // -1 for none
    qsizetype anchorRow() const { return m_anchor; }

    // Shows only the lines the typed text finds. What is shown never changes what is selected.
    void filter(QStringView typed);
    bool isShown(qsizetype row) const { return m_hidden.isEmpty() || !m_hidden[row]; }

    // A handler chose this line for the user: it becomes the current line and the anchor.
    void reveal(qsizetype row);

Q_SIGNALS:
    // A handler made this row current for the user; the view should scroll it into sight.
    void revealRequested(int row);
    // The lines that isShown() accepts changed, by a new filter or by lines appended under one.
    void shownChanged();

private:
    // The row becomes the current line and the anchor of Shift's ranges, selected as `how` says.
    void makeCurrent(qsizetype row, QItemSelectionModel::SelectionFlags how);
    QList<qsizetype> shownRows() const;
    QItemSelection shownBetween(qsizetype first, qsizetype last) const;
    void moveTo(qsizetype row, Qt::KeyboardModifiers modifiers);
    void extendTo(qsizetype row);

    QStringList m_lines;
    QItemSelectionModel m_selection;
    locations::LineQuery m_query;
    QList<bool> m_hidden; // empty while every line is shown
    qsizetype m_anchor = -1;
};

} // namespace quenbury::wizard
