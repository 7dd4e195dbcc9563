// Message boxes on the console.
#include "console_interaction.h"

namespace vanta::tools {

core::MsgResult ConsoleInteraction::MsgBox(const QString &text, core::MsgButtons, core::MsgIcon,
                                           const QString &title, core::MsgResult defaultButton)
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

} // namespace vanta::tools
