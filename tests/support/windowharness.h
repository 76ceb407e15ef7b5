#pragma once

#include "support/fakeplatform.h"
#include "support/testfiles.h"
#include "ui/mainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

inline const QString DatabaseFolder = QStringLiteral(QUENBURY_BUILD_DATA_DIR);
inline const QString TabBar = QStringLiteral("qt_tabwidget_tabbar");

// A shown, active window (shortcuts reach only the active window) on a scripted desktop, so no real
// dialog can open. It logs every button click.
struct WindowHarness {
    FakePlatform platform;
    quenbury::ui::MainWindow window{platform, DatabaseFolder};
    QStringList clicked;

    WindowHarness() {
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
            QObject::connect(button, &QAbstractButton::clicked, &window,
                             [this, button] { clicked.append(button->objectName()); });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    template <typename T> T* get(const QString& name) { return window.findChild<T*>(name); }
    QTabWidget* tabs() { return get<QTabWidget>(QStringLiteral("SSTab1")); }
    QCheckBox* box(int row) { return get<QCheckBox>(QStringLiteral("Check") + QString::number(row)); }
    // Ticked boxes on screen, or -1 when the model does not agree with them.
    int tickedBoxes() {
        int ticked = 0;
        for (int row = 1; row <= int(window.form().Check.size()); ++row)
            ticked += box(row)->isChecked() ? 1 : 0;
        return ticked == int(std::count(window.form().Check.begin(), window.form().Check.end(), true))
                   ? ticked
                   : -1;
    }

    // Clicks a button the user can see; false when there is none by that name.
    [[nodiscard]] bool click(const QString& name) {
        auto* button = get<QPushButton>(name);
        if (!button || !button->isVisible())
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }
    void chooseHeader(int page) {
        QTabBar* bar = tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    }

    QString focus() {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    // One key as the user types it, through the shortcuts first: to an open menu, else an access key
    // to the window and any other key to the control that has the focus.
    void type(const QString& key) {
        const QKeyCombination combination = QKeySequence::fromString(key, QKeySequence::PortableText)[0];
        QWidget* target = QApplication::activePopupWidget();
        if (!target)
            target =
                combination.keyboardModifiers() == Qt::AltModifier ? &window : QApplication::focusWidget();
        QVERIFY2(target, qPrintable(key));
        QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
    }
    // Tab until the named control has the focus.
    void tabTo(const QString& name) {
        for (int presses = 0; presses < 80 && focus() != name; ++presses)
            type(QStringLiteral("Tab"));
        QCOMPARE(focus(), name);
    }
    void enableAllButtons() {
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
            button->setEnabled(true);
    }
};
