#include "ui/textbox.h"

#include "matchfile/lineends.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace quenbury::ui {

QString modelText(const QTextDocument& document) {
    // toPlainText() would turn a no-break space into a plain one; the raw text keeps it.
    return matchfile::withCrLfLineEnds(document.toRawText());
}

TextBoxBinding::TextBoxBinding(QPlainTextEdit* box, QString* modelField, std::function<void()> edited)
    : m_box(box)
    , m_field(modelField) {
    QObject::connect(box->document(), &QTextDocument::contentsChanged, box, [this, edited] {
        if (m_writing)
            return;
        m_edited = true;
        if (edited)
            edited();
    });
}

void TextBoxBinding::storeEdits() {
    if (!m_edited)
        return;
    *m_field = modelText(*m_box->document());
    m_shown = *m_field;
    m_edited = false;
}

void TextBoxBinding::show() {
    if (m_showing && *m_field == m_shown)
        return;
    // A box on a page out of sight is brought up to date when its page is shown: a long text
    // costs tens of milliseconds to lay into a box, and nobody can see or edit it meanwhile.
    if (!m_box->isVisibleTo(m_box->window()))
        return;
    // Add Item only appends lines: add just those, and show them rather than the top of the text.
    // (A text ending in a lone CR is set whole, since a CR LF split across the two parts would
    // become two line breaks.)
    const bool appended = m_showing && m_field->size() > m_shown.size() && !m_shown.endsWith(u'\r') &&
                          m_field->startsWith(m_shown);
    m_writing = true;
    if (appended) {
        QTextDocument* document = m_box->document();
        document->setUndoRedoEnabled(false); // as setPlainText(): no undo of the program's own writes
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        end.insertText(QStringView(*m_field).mid(m_shown.size()).toString()); // CR LF becomes one break
        document->setUndoRedoEnabled(true);
        m_box->moveCursor(QTextCursor::End);
        m_box->ensureCursorVisible();
    } else {
        // The document's own setPlainText(): the box's would then give every character the
        // cursor's format once more, a tenth of the time for a long text. A CR LF pair becomes one
        // line break; nothing is left to undo.
        m_box->document()->setPlainText(*m_field);
        m_box->moveCursor(QTextCursor::Start);
    }
    m_writing = false;
    m_shown = *m_field;
    m_showing = true;
    m_edited = false;
}

} // namespace quenbury::ui
