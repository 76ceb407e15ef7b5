#pragma once

#include "wizard/platform.h"

#include <QFileDialog>
#include <QPointer>
#include <QStringView>
#include <QWidget>

namespace quenbury::ui {

// Turns the wizard's "description|pattern|description|pattern" filter list into Qt's
// "description (pattern);;description (pattern)" form, in the same order, so the first pair stays
// the one in force. A description that already ends in "(pattern)" is kept as it is.
QString qtFileFilter(QStringView wizardFilter);

// Sets up a save dialog without showing it: where it opens (a folder, or the folder of a file whose
// name it offers), the filters, the first in force, and the suffix that a name typed without one
// gets, which follows the filter chosen ("Text (*.txt)" adds ".txt", "All" nothing). Qt's own dialog
// adds the suffix before it asks whether to replace a file, so that the question names the file that
// is saved; a desktop's dialog might not, so it is not used.
void setUpSaveDialog(QFileDialog& dialog, QStringView wizardFilter, const QString& start);

// The desktop services of the real program: Qt's file dialogs, the system beep, message boxes, and
// ending the event loop.
class QtPlatform : public wizard::Platform {
public:
    explicit QtPlatform(QWidget* window = nullptr);

    // The window the dialogs belong to and that ending the program closes.
    void setWindow(QWidget* window) { m_window = window; }

    QString openFileName(const QString& filter, const QString& start) override;
    QString saveFileName(const QString& filter, const QString& start) override;
    void beep() override;
    void showError(const QString& message) override;
    bool confirmDiscard(const QString& question, const QString& discard) override;
    void endProgram() override;

private:
    QPointer<QWidget> m_window;
};

} // namespace quenbury::ui
