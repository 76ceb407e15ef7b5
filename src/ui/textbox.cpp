#include "ui/textbox.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace quenbury::ui {

QString modelText(const QTextDocument& document) {
    // toPlainText() would turn a no-break space into a plain one; the raw text keeps it.
    const QString raw = document.toRawText();
    QString text;
    text.reserve(raw.size() + raw.size() / 16);
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case u'\n':
            text += u'\r';
            text += u'\n';
            break;
        case u'\r':
            text += u'\r';
            text += u'\n';
            if (i + 1 < raw.size() && raw.at(i + 1) == u'\n')
                ++i;
            break;
        default:
            text += c;
        }
    }
    return text;
}

TextBoxBinding::TextBoxBinding(QPlainTextEdit* box, QString* modelField)
    : m_box(box)
    , m_field(modelField) {
    QObject::connect(box->document(), &QTextDocument::contentsChanged, box, [this] {
        if (!m_writing)
            m_edited = true;
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
    // After Add Item the new lines are at the end: show them rather than the top of the text.
    const bool appended = m_showing && m_field->size() > m_shown.size() && m_field->startsWith(m_shown);
    m_writing = true;
    m_box->setPlainText(*m_field); // a CR LF pair becomes one line break
    m_writing = false;
    if (appended) {
        m_box->moveCursor(QTextCursor::End);
        m_box->ensureCursorVisible();
    }
    m_shown = *m_field;
    m_showing = true;
    m_edited = false;
}

} // namespace quenbury::ui
