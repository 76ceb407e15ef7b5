#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QKeySequence;
class QTabWidget;

namespace quenbury::ui {

// Makes an access key that several controls in sight share usable from the keyboard. Qt hands
// such a key to one owner per press, in an order of its own; a button then takes the focus, but
// a page header switches pages at once, so the page's own controls may never be reached. Here
// every press of a shared key moves the focus to the next of its owners: the shown page's
// buttons in tab order, first of all, then the page header, whose turn shows its page (the window
// then puts the focus on the page's first input), or puts the focus on the header strip when its
// page is shown already. Space or Enter then works the control that has the focus. A key that only one
// control in sight has stays Qt's: it clicks the button or shows the page at once.
class AccessKeys : public QObject {
    Q_OBJECT
public:
    // Watches the tab strip and every button on the pages; the pages must be in place.
    explicit AccessKeys(QTabWidget* tabs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool focusNext(const QKeySequence& key);

    QTabWidget* m_tabs;
    QPointer<QWidget> m_lastTurn; // where the last turn of a shared key put the focus
};

} // namespace quenbury::ui
