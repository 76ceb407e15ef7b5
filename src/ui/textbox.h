#pragma once

#include <QString>

#include <functional>

class QPlainTextEdit;
class QTextDocument;

namespace quenbury::ui {

// The text of a box as the model keeps it: every line break the user sees (paragraph break, soft
// line break, a stray CR or LF) becomes CR LF, and every other character stays as typed, a no-break
// space included.
QString modelText(const QTextDocument& document);

// Ties one editable box to one text of the form model. Remembers what the box last showed, so the
// box is rewritten only when the model really changed (setting a long text is slow), and knows
// whether the user has edited it since. `edited`, when given, runs after each change the user makes.
class TextBoxBinding {
public:
    // What the box shows when the program writes it: the first line that the write changed (the lines
    // a button just added), or the text's first line.
    enum class Shows { FirstChange, Top };

    TextBoxBinding(QPlainTextEdit* box, QString* modelField, std::function<void()> edited = {},
                   Shows shows = Shows::FirstChange);

    // Copies the user's edits into the model, if there are any.
    void storeEdits();
    // Shows the model's text unless the box already shows it.
    void show();

private:
    QPlainTextEdit* m_box;
    QString* m_field;
    Shows m_shows;
    QString m_shown;
    bool m_showing = false; // false until the model's text was first shown
    bool m_edited = false;
    bool m_writing = false;
};

} // namespace quenbury::ui
