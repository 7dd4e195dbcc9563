// Message boxes on the console.
#include "core/console_interaction.h"

namespace vanta::core {

MsgResult ConsoleInteraction::MsgBox(const QString &text, MsgButtons, MsgIcon, const QString &title,
                                     MsgResult defaultButton)
{
    ++m_boxCount;
    m_lastText = text;
    // Box texts break lines with CR (the report's three lines); a terminal wants LF.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QByteArray line = (title + QStringLiteral(": ") + shown).toUtf8();
    std::fprintf(m_out, "%s\n", line.constData());
    std::fflush(m_out);
    return defaultButton;
}

} // namespace vanta::core
