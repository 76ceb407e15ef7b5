#pragma once

#include <QPlainTextEdit>

namespace quenbury::ui {

// A text box with the number of each line in a margin at its left, counted from 1 as the report
// counts lines, so that "Line 189" can be found without counting.
class LineNumberedEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LineNumberedEdit(QWidget* parent = nullptr);

    // Where the cursor stands, "Line 189, Column 14", counted as the report counts.
    QString cursorPlace() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int marginWidth() const;
    void fitMargin();
    void paintMargin(QPaintEvent* event);

    QWidget* m_margin;
};

} // namespace quenbury::ui
