#pragma once

#include <QAccessible>
#include <QListView>
#include <QStyledItemDelegate>

namespace quenbury::wizard {
class LineListModel;
}

namespace quenbury::ui {

// Paints a database line as it is, then the name of its area in a muted colour ("Ohio"), so that
// the 26 Franklins tell themselves apart. The line's own text stays what the model holds. The name
// may be cut short in a narrow list: the model's tip and spoken text say it whole.
class AreaNameDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// A code list (lstList1, lstList2) that shows the lines its model's find lets through. Lines are
// hidden in the view, not filtered out of the model, so the view keeps sharing the model's own
// selection and a hidden line stays selected. The model decides what keys and clicks do, so that
// they move over the lines in view only, and a screen reader hears the line the user sees.
class LineListView : public QListView {
    Q_OBJECT
public:
    explicit LineListView(QWidget* parent = nullptr);

    void setLineModel(wizard::LineListModel* model);

public Q_SLOTS:
    void selectAll() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    void applyShown();
    void tellAccessibility(QAccessible::Event what, const QModelIndex& line);

    wizard::LineListModel* m_lines = nullptr;
};

} // namespace quenbury::ui
