// The received-text box of the terminal and the Vanta Link window.
#include "diagnostics/received_text_widget.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace vanta::diagnostics {

namespace {
constexpr QChar Stx(0x02);
constexpr QChar Cr(0x0D);
constexpr QChar Lf(0x0A);
} // namespace

QPlainTextEdit *newReceivedTextBox(QWidget *parent, const char *name)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    box->setFont(font);
    box->setUndoRedoEnabled(false);
    return box;
}

int ReceivedText::length() const
{
    // characterCount includes the closing paragraph separator.
    return m_box.document()->characterCount() - 1;
}

void ReceivedText::makeRoom()
{
    if (length() < MaxReceivedChars)
        return;
    m_box.clear();
    m_afterCr = false;
}

void ReceivedText::insertText(const QString &text)
{
    QTextCursor caret = m_box.textCursor();
    caret.insertText(text);
    m_box.setTextCursor(caret);
}

void ReceivedText::insert(QChar c)
{
    makeRoom();
    const bool pairedLf = c == Lf && m_afterCr;
    m_afterCr = c == Cr;
    if (pairedLf)
        return;
    insertText(c == Cr ? QString(Lf) : QString(c));
}

void ReceivedText::insertMessages(const QString &ReplyText)
{
    for (const QChar c : ReplyText) {
        if (c != Stx) {
            insert(c);
            continue;
        }
        makeRoom();
        if (length() > 0)
            insertText(QString(Lf));
        m_afterCr = false;
    }
}

} // namespace vanta::diagnostics
