// Showing the first bad rows of a file and counting the rest.
#include "core/row_reports.h"

#include "core/interaction.h"

namespace vanta::core {

namespace {
void showCritical(Interaction &ui, const QString &title, const QString &text)
{
    ui.MsgBox(text, MsgButtons::Ok, MsgIcon::Critical, title, MsgResult::Ok);
}
} // namespace

RowReports::RowReports(Interaction &ui, QString fileName)
    : m_ui(ui), m_fileName(std::move(fileName))
{}

void RowReports::report(const QString &title, const QString &text)
{
    ++m_reported;
    if (m_reported <= ShownRows) {
        showCritical(m_ui, title, text);
        return;
    }
    m_heldBackTitle = title;
}

void RowReports::finish()
{
    const int heldBack = m_reported - ShownRows;
    if (heldBack <= 0)
        return;
    const QString text =
        heldBack == 1 ? QStringLiteral("1 more row of %1 was skipped with errors.").arg(m_fileName)
                      : QStringLiteral("%1 more rows of %2 were skipped with errors.")
                            .arg(heldBack)
                            .arg(m_fileName);
    showCritical(m_ui, m_heldBackTitle, text);
    m_reported = ShownRows; // a second call shows nothing more
}

} // namespace vanta::core
