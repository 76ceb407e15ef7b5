#pragma once

#include <QString>

namespace quenbury::wizard {

// The services the handlers need from the desktop, so that tests can script them and no modal
// dialog ever blocks a test run. Filters use the "description|pattern|description|pattern" form,
// the first pair in force when the dialog opens.
class Platform {
public:
    virtual ~Platform() = default;

    // The chosen path, or an empty text when the user cancels.
    virtual QString openFileName(const QString& filter, const QString& startFolder) = 0;
    virtual QString saveFileName(const QString& filter, const QString& startFolder) = 0;

    virtual void beep() = 0;
    virtual void showError(const QString& message) = 0;

    // Ends the program at once: nothing is asked and nothing is saved.
    virtual void endProgram() = 0;
};

} // namespace quenbury::wizard
