#include "ui/accesskeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QShortcutEvent>
#include <QTabBar>
#include <QTabWidget>

namespace quenbury::ui {

AccessKeys::AccessKeys(QTabWidget* tabs)
    : QObject(tabs)
    , m_tabs(tabs) {
    tabs->tabBar()->installEventFilter(this);
    for (QAbstractButton* button : tabs->findChildren<QAbstractButton*>())
        button->installEventFilter(this);
}

bool AccessKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->isAmbiguous() && focusNext(shortcut->key()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

bool AccessKeys::focusNext(const QKeySequence& key) {
    QTabBar* bar = m_tabs->tabBar();
    QWidget* page = m_tabs->currentWidget();

    // The focus chain runs from the header strip through the shown page in reading order.
    QList<QWidget*> owners;
    for (QWidget* w = bar->nextInFocusChain(); w != bar; w = w->nextInFocusChain()) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (button && page->isAncestorOf(button) && button->isVisible() && button->isEnabled() &&
            QKeySequence::mnemonic(button->text()) == key)
            owners.append(button);
    }
    int header = -1;
    for (int i = 0; i < bar->count() && header < 0; ++i) {
        if (bar->isTabEnabled(i) && QKeySequence::mnemonic(bar->tabText(i)) == key)
            header = i;
    }
    const qsizetype turns = owners.size() + (header >= 0 ? 1 : 0);
    if (turns == 0)
        return false;

    // The turns go on from where the last one put the focus; a focus put anywhere else, by a click, a
    // Tab or a page change, starts them again at the shown page's own buttons. So at start, with the
    // focus on the Start page's "&Continue", Alt+C stays there rather than showing the Create File
    // page.
    QWidget* focus = bar->window()->focusWidget();
    qsizetype current = focus == m_lastTurn ? owners.indexOf(focus) : -1;
    if (header >= 0 && focus == bar && focus == m_lastTurn && bar->currentIndex() == header)
        current = owners.size();
    const qsizetype next = (current + 1) % turns;
    bar->window()->setAttribute(Qt::WA_KeyboardFocusChange); // show where the focus went
    if (next < owners.size()) {
        m_lastTurn = owners[next];
        owners[next]->setFocus(Qt::ShortcutFocusReason);
    } else if (bar->currentIndex() != header) {
        m_lastTurn = nullptr;
        bar->setCurrentIndex(header); // the window puts the focus on the page's first input
    } else {
        m_lastTurn = bar;
        bar->setFocus(Qt::ShortcutFocusReason); // a header can hold the focus only while its page is shown
    }
    return true;
}

} // namespace quenbury::ui
