#include "ui/createfilepage.h"

#include "matchfile/encoding.h"
#include "ui/linenumberededit.h"
#include "wizard/wizard.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QVBoxLayout>

#include <functional>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

using wizard::BoxColour;
using wizard::FormModel;
using wizard::Wizard;

namespace {

// The sentence keeps the line end it was written with, but a one-line box has no room for the
// empty line after it: that block is hidden.
QPlainTextEdit* introLine(QWidget* page) {
    auto* box = new QPlainTextEdit(page);
    box->setObjectName(u"txtCreate1"_s);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setFrameShape(QFrame::NoFrame);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setPlainText(
        u"The current file appears below. Click the Verify File button to scan for format errors.\r\n"_s);
    box->setAccessibleName(u"Instructions"_s);
    box->document()->lastBlock().setVisible(false);
    box->document()->markContentsDirty(0, box->document()->characterCount());
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
    const int margins = 2 * int(box->document()->documentMargin()) + box->contentsMargins().top() +
                        box->contentsMargins().bottom();
    box->setFixedHeight(box->fontMetrics().lineSpacing() + margins);
    return box;
}

QColor colourOf(BoxColour colour) {
    switch (colour) {
    case BoxColour::Red:
        return QColor(255, 0, 0);
    case BoxColour::Green:
        return QColor(0, 255, 0);
    case BoxColour::Yellow:
        return QColor(255, 255, 0);
    case BoxColour::White:
        break;
    }
    return QColor(255, 255, 255);
}

} // namespace

CreateFilePage::CreateFilePage(Wizard& wizard, ActionRunner run)
    : WizardPage(wizard, std::move(run))
    , m_txtCreate2(textBox<LineNumberedEdit>(this, u"txtCreate2"_s, false))
    , m_txtCreate3(textBox(this, u"txtCreate3"_s, true))
    , m_cmdSave1(boundButton(u"cmdSave1"_s, u"&Save File"_s, &Wizard::cmdSave1_Click))
    , m_cmdEnd5(boundButton(u"cmdEnd5"_s, u"&End"_s, &Wizard::cmdEnd5_Click)) {
    QPlainTextEdit* txtCreate1 = introLine(this);
    QPushButton* cmdCreate1 = boundButton(u"cmdCreate1"_s, u"&Verify File"_s, &Wizard::cmdCreate1_Click);
    QPushButton* cmdClear3 = boundButton(u"cmdClear3"_s, u"&Clear"_s, &Wizard::cmdClear3_Click);
    QPushButton* cmdBack5 = boundButton(u"cmdBack5"_s, u"&Back"_s, &Wizard::cmdBack5_Click);
    m_tabOrder = {cmdBack5,     m_cmdEnd5,  txtCreate1, m_txtCreate2,
                  m_txtCreate3, cmdCreate1, m_cmdSave1, cmdClear3};

    auto* top = new QHBoxLayout;
    top->addWidget(title(this, u"lblCreate2"_s, u"Verify and Save the file you created."_s), 1);
    top->addWidget(cmdBack5);
    top->addWidget(m_cmdEnd5);

    QVBoxLayout* current =
        underCaption(label(this, u"lblCreate1"_s, u"Current File:"_s), m_txtCreate2, u"Current File:"_s);
    QVBoxLayout* status =
        underCaption(label(this, u"lblCreate5"_s, u"File Status:"_s), m_txtCreate3, u"File Status:"_s);
    auto* boxes = new QHBoxLayout;
    boxes->addLayout(current, 1);
    boxes->addLayout(status, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(txtCreate1);
    layout->addWidget(
        label(this, u"lblCreate3"_s,
              u"Likely errors include: 1) Blank lines; 2) No * at end of each line; 3) A line "
              u"longer than 32 characters; 4) The file is too long (more than 2000 lines); 5) No "
              u"EOFEOF* end of file mark."_s,
              true));
    layout->addWidget(label(this, u"lblCreate4"_s,
                            u"Edit and correct any errors in the Curren File text box and re verify the file "
                            u"until no errors appear."_s,
                            true));
    layout->addLayout(boxes, 1);
    layout->addLayout(row({cmdCreate1, m_cmdSave1, cmdClear3}));
    layout->setContentsMargins(PageMargins);

    // Every change the user makes in the Current File box goes to the wizard, which decides what it
    // takes back.
    bindBox(m_txtCreate2, &FormModel::txtCreate2, [this] { act([this] { m_wizard.txtCreate2_Change(); }); });
    // A report reads from its top, whatever changed in it.
    bindBox(m_txtCreate3, &FormModel::txtCreate3, {}, TextBoxBinding::Shows::Top);

    // Anywhere on the page: the next or previous problem.
    for (const auto& [key, handler] :
         {std::pair{QKeySequence(Qt::Key_F8), &Wizard::NextProblem_Shortcut},
          std::pair{QKeySequence(Qt::SHIFT | Qt::Key_F8), &Wizard::PreviousProblem_Shortcut}}) {
        auto* shortcut = new QShortcut(key, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        wizard::Wizard* to = &m_wizard;
        connect(shortcut, &QShortcut::activated, this,
                [this, to, handler] { act([to, handler] { std::invoke(handler, *to); }); });
    }
    m_txtCreate3->viewport()->installEventFilter(this); // double clicks on a finding
    m_txtCreate2->installEventFilter(this);             // the cursor's place while it has the focus
    connect(m_txtCreate2, &QPlainTextEdit::cursorPositionChanged, this, &CreateFilePage::tellCursorPlace);
}

bool CreateFilePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtCreate3->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        const int line = m_txtCreate3->cursorForPosition(at).blockNumber();
        act([this, line] { m_wizard.txtCreate3_DblClick(line); });
    }
    if (watched == m_txtCreate2 && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        tellCursorPlace();
    return WizardPage::eventFilter(watched, event);
}

void CreateFilePage::tellCursorPlace() {
    Q_EMIT cursorPlaceChanged(m_txtCreate2->hasFocus() ? m_txtCreate2->cursorPlace() : QString());
}

// A pale background in the report's colour, red for what stops the save, yellow for the rest.
void CreateFilePage::showProblems() {
    if (form().problems == m_tinted)
        return;
    m_tinted = form().problems;
    QList<QTextEdit::ExtraSelection> tints;
    QTextDocument* document = m_txtCreate2->document();
    for (const wizard::Problem& problem : m_tinted) {
        const QTextBlock block = document->findBlockByNumber(int(problem.line - 1));
        if (!block.isValid())
            continue;
        QTextEdit::ExtraSelection tint;
        tint.cursor = QTextCursor(block);
        tint.format.setBackground(problem.error ? QColor(255, 215, 215) : QColor(255, 245, 190));
        tint.format.setProperty(QTextFormat::FullWidthSelection, true);
        tints.append(tint);
    }
    m_txtCreate2->setExtraSelections(tints);
}

// Selects the problem's line, or its character, in the middle of the box where it can.
void CreateFilePage::goToProblem() {
    if (m_goneTo == form().txtCreate2GoTo)
        return;
    m_goneTo = form().txtCreate2GoTo;
    if (form().currentProblem < 0 || form().currentProblem >= form().problems.size())
        return;
    const wizard::Problem& problem = form().problems[form().currentProblem];
    QTextBlock block = m_txtCreate2->document()->findBlockByNumber(int(problem.line - 1));
    if (!block.isValid()) // the end of the file
        block = m_txtCreate2->document()->lastBlock();
    QTextCursor cursor(block);
    const QString line = block.text();
    if (problem.column > 0) {
        qsizetype at = 0;
        for (qsizetype column = 1; column < problem.column && at < line.size(); ++column)
            at += matchfile::characterAt(line, at).size();
        const qsizetype width = at < line.size() ? matchfile::characterAt(line, at).size() : 0;
        // Selected from its end, so that the cursor, and the status bar, stand at its start.
        cursor.setPosition(block.position() + int(at + width));
        cursor.setPosition(block.position() + int(at), QTextCursor::KeepAnchor);
    } else {
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    }
    m_txtCreate2->setTextCursor(cursor);
    m_txtCreate2->centerCursor();
}

void CreateFilePage::refresh() {
    showBoxes();
    showProblems();
    goToProblem();
    QPalette palette = m_txtCreate3->palette();
    const QColor colour = colourOf(form().txtCreate3Colour);
    if (palette.color(QPalette::Base) != colour) {
        palette.setColor(QPalette::Base, colour);
        palette.setColor(QPalette::Text, Qt::black); // readable on all three, in a dark theme too
        m_txtCreate3->setPalette(palette);
    }
    // The colour's meaning, for a screen reader.
    if (m_txtCreate3->accessibleDescription() != form().verdict)
        m_txtCreate3->setAccessibleDescription(form().verdict);
    showEnabled(m_cmdEnd5, FormModel::cmdEnd5);
    showEnabled(m_cmdSave1, FormModel::cmdSave1);
}

} // namespace quenbury::ui
