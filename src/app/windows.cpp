// Registering the windows with the navigator. Only this file knows every window's header.
#include "app/windows.h"

#include "config/frmConfig.h"
#include "diagnostics/frmRegister.h"
#include "diagnostics/frmTerminal.h"
#include "diagnostics/frmTrace.h"
#include "diagnostics/frmVantaLink.h"
#include "discovery/frmCommSetup.h"
#include "discovery/frmFind.h"
#include "logging/frmGraph.h"
#include "logging/frmGraphCfg.h"
#include "logging/logging_windows_widget.h"
#include "monitor/frmSetpoints.h"
#include "monitor/frmStatus.h"
#include "monitor/mdiMonitor.h"
#include "ui/frmMain.h"

#include <QTimer>
#include <cstdio>

namespace vanta::app {

namespace {

// The raw windows remember their last address, register and command for the whole run; the
// terminal is kept, so it keeps its text between openings.
void registerDiagnosticsWindows(ui::Navigator &navigator)
{
    auto memory = std::make_shared<diagnostics::RawAccessMemory>();
    navigator.registerModal(
        QStringLiteral("frmTerminal"),
        [](const ui::WindowContext &context) {
            return std::make_unique<diagnostics::frmTerminal>(context);
        },
        ui::Navigator::ModalLifetime::Kept);
    navigator.registerModal(QStringLiteral("frmRegister"),
                            [memory](const ui::WindowContext &context) {
                                return std::make_unique<diagnostics::frmRegister>(context, memory);
                            });
    navigator.registerModal(QStringLiteral("frmVantaLink"),
                            [memory](const ui::WindowContext &context) {
                                return std::make_unique<diagnostics::frmVantaLink>(context, memory);
                            });
}

} // namespace

ProgramWindows::ProgramWindows(ui::Navigator &navigator)
    : m_navigator(navigator), m_logging(navigator.context().link),
      m_trace(navigator.context().link.clock)
{
    navigator.context().link.trace = m_trace.hook();
    navigator.registerMainScreen(QStringLiteral("frmMain"), [](const ui::WindowContext &context) {
        return std::make_unique<ui::frmMain>(context);
    });
    navigator.registerMainScreen(QStringLiteral("frmConfig"), [](const ui::WindowContext &context) {
        return std::make_unique<config::frmConfig>(context);
    });
    navigator.registerMainScreen(QStringLiteral("frmStatus"), [](const ui::WindowContext &context) {
        return std::make_unique<monitor::frmStatus>(context);
    });
    navigator.registerMainScreen(QStringLiteral("frmFind"), [](const ui::WindowContext &context) {
        return std::make_unique<discovery::frmFind>(context);
    });
    navigator.registerModeless(QStringLiteral("mdiMonitor"), [](const ui::WindowContext &context) {
        return std::make_unique<monitor::mdiMonitor>(context);
    });
    navigator.registerModal(QStringLiteral("frmSetpoints"), [](const ui::WindowContext &context) {
        return std::make_unique<monitor::frmSetpoints>(context);
    });
    navigator.registerModal(QStringLiteral("frmCommSetup"), [](const ui::WindowContext &context) {
        return std::make_unique<discovery::frmCommSetup>(context);
    });
    // The graph window and its "Graph Setup" dialog share the settings the dialog edits.
    auto graphSetup = std::make_shared<logging::GraphSetupExchange>();
    navigator.registerMainScreen(
        QStringLiteral("frmGraph"), [graphSetup](const ui::WindowContext &context) {
            return std::make_unique<logging::frmGraph>(context, graphSetup);
        });
    navigator.registerModal(QStringLiteral("frmGraphCfg"), [graphSetup](const ui::WindowContext &) {
        return std::make_unique<logging::frmGraphCfg>(*graphSetup);
    });
    logging::registerLoggingWindows(navigator);
    registerDiagnosticsWindows(navigator);
    navigator.registerTool(QStringLiteral("frmTrace"), [this](const ui::WindowContext &context) {
        return std::make_unique<diagnostics::frmTrace>(context, m_trace);
    });
    navigator.setLoggingTick([this] { m_logging.tmrLogging_Timer(); });
    core::AppState &app = navigator.context().app;
    navigator.setStopLoggingSessions([&app] { logging::StopRunningSessions(app.Config); });
}

ProgramWindows::~ProgramWindows()
{
    m_navigator.context().link.trace = nullptr; // the link outlives the ring
}

void ProgramWindows::showMainWindow()
{
    QWidget *main = m_navigator.showFirst(QStringLiteral("frmMain"));
    if (main == nullptr || !qEnvironmentVariableIsSet("VANTA_STARTUP_PROBE"))
        return;
    QTimer::singleShot(0, main, [this] {
        std::puts("main window shown");
        std::fflush(stdout);
        m_navigator.endProgram();
    });
}

int ProgramWindows::autoSend(const QString &commandLine)
{
    m_navigator.showMainScreen(m_navigator.activeMainScreen(), QStringLiteral("frmConfig"));
    auto *window =
        qobject_cast<config::frmConfig *>(m_navigator.window(QStringLiteral("frmConfig")));
    const int status = window != nullptr ? window->autoSend(commandLine) : 1;
    m_navigator.endProgram();
    return status;
}

} // namespace vanta::app
