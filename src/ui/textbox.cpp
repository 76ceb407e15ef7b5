#include "ui/textbox.h"

#include "matchfile/lineends.h"

#include <algorithm>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace quenbury::ui {

QString modelText(const QTextDocument& document) {
    // toPlainText() would turn a no-break space into a plain one; the raw text keeps it.
    return matchfile::withCrLfLineEnds(document.toRawText());
}

TextBoxBinding::TextBoxBinding(QPlainTextEdit* box, QString* modelField, std::function<void()> edited,
                               Shows shows)
    : m_box(box)
    , m_field(modelField)
    , m_shows(shows) {
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
    // The lines before the first change stay as they are; a text that only grew (Add Item) gets
    // just its new lines. (A text ending in a lone CR is set whole, since a CR LF split across the
    // two parts would become two line breaks.)
    const qsizetype same =
        m_showing ? std::mismatch(m_shown.begin(), m_shown.end(), m_field->begin(), m_field->end()).first -
                        m_shown.begin()
                  : 0;
    const bool appended = same == m_shown.size() && m_showing && !m_shown.endsWith(u'\r');
    m_writing = true;
    QTextDocument* document = m_box->document();
    if (appended) {
        document->setUndoRedoEnabled(false); // as setPlainText(): no undo of the program's own writes
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        // The new lines where they stand, not a copy of them: a copy of 650 KB costs page faults. CR LF
        // becomes one break.
        end.insertText(QString::fromRawData(m_field->constData() + same, m_field->size() - same));
        document->setUndoRedoEnabled(true);
    } else {
        // The document's own setPlainText(): the box's would then give every character the
        // cursor's format once more, a tenth of the time for a long text. A CR LF pair becomes one
        // line break; nothing is left to undo.
        document->setPlainText(*m_field);
    }
    // The first changed line at the top, so that the user sees what a button wrote, the 125 lines
    // of a translation header included; the cursor on it.
    const int first = m_shows == Shows::Top ? 0 : int(QStringView(*m_field).first(same).count(u'\n'));
    m_box->setTextCursor(QTextCursor(document->findBlockByNumber(first)));
    m_box->verticalScrollBar()->setValue(first);
    m_writing = false;
    m_shown = *m_field;
    m_showing = true;
    m_edited = false;
}

} // namespace quenbury::ui
