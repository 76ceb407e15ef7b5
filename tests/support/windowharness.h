#pragma once

#include "support/fakeplatform.h"
#include "support/testfiles.h"
#include "ui/mainwindow.h"

#include <QTest>
#include <QtWidgets>

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
        const bool active = QTest::qWaitForWindowActive(&window);
        QVERIFY(active);
    }

    template <typename T> T* get(const QString& name) { return window.findChild<T*>(name); }
    QTabWidget* tabs() { return get<QTabWidget>(QStringLiteral("SSTab1")); }
    QCheckBox* box(int row) { return get<QCheckBox>(QStringLiteral("Check") + QString::number(row)); }
    // Ticked boxes on screen, or -1 when the model does not agree with them.
    int tickedBoxes() {
        const auto& model = window.form().Check;
        int ticked = 0;
        for (int row = 1; row <= int(model.size()); ++row)
            ticked += box(row)->isChecked() ? 1 : 0;
        const auto inModel = std::count(model.begin(), model.end(), true);
        return ticked == inModel ? ticked : -1;
    }

    // Clicks a button the user can see; false when there is none by that name.
    [[nodiscard]] bool click(const QString& name) {
        auto* button = get<QPushButton>(name);
        if (!button || !button->isVisible())
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }

    QString focus() {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    // Keys as the user types them, through the shortcuts first: to an open menu, else an access key
    // to the window and any other key to the control that has the focus. After each key it waits
    // while a button worked by its access key is still shown pressed: it is clicked only when it
    // comes up again.
    void type(const QString& keys) {
        for (const QString& key : keys.split(u' ')) {
            const QKeySequence sequence = QKeySequence::fromString(key, QKeySequence::PortableText);
            const bool one = sequence.count() == 1 && sequence[0].key() != Qt::Key_unknown;
            QVERIFY2(one, qPrintable(QStringLiteral("not one key: ") + key));
            const QKeyCombination combination = sequence[0];
            const bool accessKey = combination.keyboardModifiers() == Qt::AltModifier;
            QWidget* target = QApplication::activePopupWidget();
            if (!target)
                target = accessKey ? &window : QApplication::focusWidget();
            QVERIFY2(target, qPrintable(key));
            QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
            const auto buttons = window.findChildren<QAbstractButton*>();
            QTRY_VERIFY(std::none_of(buttons.begin(), buttons.end(), [](auto* b) { return b->isDown(); }));
        }
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
