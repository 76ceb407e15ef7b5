#pragma once

#include <QString>

namespace quenbury::wizard {

// The services the handlers need from the desktop, so that tests can script them and no modal
// dialog ever blocks a test run. Filters use the "description|pattern|description|pattern" form,
// the first pair in force when the dialog opens.
class Platform {
public:
    virtual ~Platform() = default;

    // The chosen path, or an empty text when the user cancels. A dialog opens in `start`, a folder,
    // or, for a save, the folder of a file whose name it offers.
    virtual QString openFileName(const QString& filter, const QString& start) = 0;
    virtual QString saveFileName(const QString& filter, const QString& start) = 0;

    virtual void beep() = 0;
    virtual void showError(const QString& message) = 0;
    // Asks whether to go on with what would lose the user's work: true for `discard`, false for
    // Cancel, which is the default answer and Escape's.
    virtual bool confirmDiscard(const QString& question, const QString& discard) = 0;

    // Ends the program at once.
    virtual void endProgram() = 0;
};

} // namespace quenbury::wizard
