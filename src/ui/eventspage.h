#pragma once

#include "events/eventcatalogue.h"
#include "ui/wizardpage.h"

#include <QLabel>

#include <array>

class QCheckBox;
class QPushButton;

namespace quenbury::ui {

// An event's caption. Clicking it toggles the box beside it, as clicking a check box's own text
// would.
class EventLabel : public QLabel {
    Q_OBJECT
public:
    EventLabel(const QString& caption, QCheckBox* box, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QCheckBox* m_box;
};

// The Events page: a box and a caption for each of the 53 events. Its rows keep a fixed 16-pixel
// pitch in three columns (rows 1-20, 21-40 and 41-53, the third column starting level with the eighth
// row) and its five buttons stand above the third column, so it places its children itself; columns
// widen with the page.
class EventsPage : public WizardPage {
    Q_OBJECT
public:
    static constexpr int RowPitch = 16;
    static constexpr int RowsPerColumn = 20;
    static constexpr int ThirdColumnFirstRow = 7; // level with row 8 (0-based 7)

    EventsPage(wizard::Wizard& wizard, ActionRunner run);

    void refresh() override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_title;
    QLabel* m_instructions;
    std::array<QPushButton*, 5> m_buttons; // SelectAll, Clear All, Continue, Back, End
    std::array<QCheckBox*, events::EventCount> m_boxes;
    std::array<EventLabel*, events::EventCount> m_labels;

    struct Metrics {
        int margin;
        int gap;
        int boxWidth;
        int labelWidth; // the widest caption
        int buttonWidth;
        int buttonHeight;
    };
    Metrics metrics() const;
    int columnWidth(const Metrics& m) const;
    int rowsTop(const Metrics& m, int columnWidth) const;
    void place();
};

} // namespace quenbury::ui
