// A text box that shows characters received from the line: fixed pitch, at most 16,000
// characters kept, each character inserted at the caret (replacing any selection).
#pragma once

#include <QChar>
#include <QString>

class QPlainTextEdit;
class QWidget;

namespace vanta::diagnostics {

constexpr int MaxReceivedChars = 16000;

// A multi-line, fixed-pitch (Courier New) box named `name`.
QPlainTextEdit *newReceivedTextBox(QWidget *parent, const char *name);

class ReceivedText
{
public:
    explicit ReceivedText(QPlainTextEdit &box) : m_box(box) {}

    // Empties the box when it already holds MaxReceivedChars, then inserts `c` at the caret.
    // CR starts a new line; the LF of a CR LF pair adds nothing more.
    void insert(QChar c);
    // A Vanta Link exchange: each STX starts a new line (none before the first message), every
    // other character is inserted.
    void insertMessages(const QString &ReplyText);
    int length() const;

private:
    void makeRoom();
    void insertText(const QString &text);

    QPlainTextEdit &m_box;
    bool m_afterCr = false;
};

} // namespace vanta::diagnostics
