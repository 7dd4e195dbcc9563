// The "Application Error" report in its general and file forms.
#include "core/app_error.h"

#include "core/interaction.h"

namespace vanta::core {

namespace {
const QString ApplicationErrorTitle = QStringLiteral("Application Error");

void showReport(Interaction &ui, const QString &text)
{
    ui.MsgBox(text, MsgButtons::Ok, MsgIcon::Critical, ApplicationErrorTitle, MsgResult::Ok);
}
} // namespace

QString appErrorText(const QString &firstLine, const AppError &error, const QString &routine)
{
    return firstLine + QLatin1Char('\r') + QStringLiteral("Error Code ") +
           QString::number(error.number) + QStringLiteral(" - ") + error.description +
           QLatin1Char('\r') + QStringLiteral("Routine - ") + routine;
}

void reportAppError(Interaction &ui, const AppError &error, const QString &routine)
{
    showReport(ui,
               appErrorText(QStringLiteral("An application error has occurred:"), error, routine));
}

void reportFileReadError(Interaction &ui, const AppError &error, const QString &fileName,
                         const QString &routine)
{
    showReport(ui, appErrorText(QStringLiteral("An application error has occurred reading ") +
                                    fileName + QStringLiteral(" file:"),
                                error, routine));
}

void reportFileWriteError(Interaction &ui, const AppError &error, const QString &fileName,
                          const QString &routine)
{
    showReport(ui, appErrorText(QStringLiteral("An application error has occurred writing file ") +
                                    fileName + QStringLiteral(" file:"),
                                error, routine));
}

} // namespace vanta::core
