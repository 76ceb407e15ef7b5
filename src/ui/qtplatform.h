#pragma once

#include "wizard/platform.h"

#include <QPointer>
#include <QStringView>
#include <QWidget>

namespace quenbury::ui {

// Turns the wizard's "description|pattern|description|pattern" filter list into Qt's
// "description (pattern);;description (pattern)" form, in the same order, so the first pair stays
// the one in force. A description that already ends in "(pattern)" is kept as it is.
QString qtFileFilter(QStringView wizardFilter);

// The desktop services of the real program: Qt's file dialogs, the system beep, a warning box, and
// ending the event loop.
class QtPlatform : public wizard::Platform {
public:
    explicit QtPlatform(QWidget* window = nullptr);

    // The window the dialogs belong to and that ending the program closes.
    void setWindow(QWidget* window) { m_window = window; }

    QString openFileName(const QString& filter, const QString& startFolder) override;
    QString saveFileName(const QString& filter, const QString& startFolder) override;
    void beep() override;
    void showError(const QString& message) override;
    void endProgram() override;

private:
    QPointer<QWidget> m_window;
    bool m_ending = false;
};

} // namespace quenbury::ui
