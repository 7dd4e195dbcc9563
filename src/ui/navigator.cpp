// Window switching, modal windows, the Terminal command and the end of the program.
#include "ui/navigator.h"

#include "core/app_error.h"
#include "ui/accessible_ids.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScopedValueRollback>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vanta::ui {

namespace {

// Names users know the windows by, for the "not available yet" box.
QString windowCaption(const QString &name)
{
    static const std::map<QString, QString> captions = {
        {QStringLiteral("frmConfig"), QStringLiteral("Configure Instrument")},
        {QStringLiteral("frmFind"), QStringLiteral("Find Instruments")},
        {QStringLiteral("frmStatus"), QStringLiteral("Instrument Status")},
        {QStringLiteral("frmGraph"), QStringLiteral("Graphing")},
        {QStringLiteral("frmMain"), QStringLiteral("Main Menu")},
        {QStringLiteral("mdiMonitor"), QStringLiteral("System Monitor")},
        {QStringLiteral("frmLogging"), QStringLiteral("Logging")},
        {QStringLiteral("frmSetpoints"), QStringLiteral("Edit Setpoints")},
        {QStringLiteral("frmCommSetup"), QStringLiteral("Communications Setup")},
        {QStringLiteral("frmTerminal"), QStringLiteral("Terminal")},
        {QStringLiteral("frmRegister"), QStringLiteral("Register Access")},
        {QStringLiteral("frmVantaLink"), QStringLiteral("Vanta Link Access")},
    };
    const auto found = captions.find(name);
    return found == captions.end() ? name : found->second;
}

Activatable *asActivatable(QWidget *window)
{
    return dynamic_cast<Activatable *>(window);
}

LeaveVeto *asLeaveVeto(QWidget *window)
{
    return dynamic_cast<LeaveVeto *>(window);
}

// `start`..`start + length` moved inside `low`..`high` as far as it fits; the low edge first, so
// a window larger than the screen keeps its title bar in reach.
int keptInside(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length + 1));
}

void centreOver(QWidget &window, const QWidget *parent)
{
    if (parent == nullptr || !parent->isVisible())
        return;
    window.adjustSize();
    QPoint topLeft = parent->frameGeometry().center() - window.rect().center();
    // A window larger than its parent must not leave the screen at the top or the left.
    if (const QScreen *screen = parent->screen()) {
        const QRect available = screen->availableGeometry();
        topLeft.setX(keptInside(topLeft.x(), window.width(), available.left(), available.right()));
        topLeft.setY(keptInside(topLeft.y(), window.height(), available.top(), available.bottom()));
    }
    window.move(topLeft);
}

// Windows may add controls after they are built, so the names are copied at every showing.
void showWindow(QWidget &window)
{
    applyAccessibleIds(&window);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

void ShowFormInPlace(QWidget *FromForm, QWidget *ToForm)
{
    if (ToForm == nullptr || FromForm == ToForm)
        return;
    if (FromForm != nullptr)
        ToForm->move(FromForm->pos());
    showWindow(*ToForm);
    if (FromForm != nullptr)
        FromForm->hide();
}

Navigator::Navigator(core::AppState &app, comms::CommLink &link, QObject *parent)
    : QObject(parent), m_context{app, link, *this}
{
    if (qGuiApp != nullptr)
        connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &Navigator::focusMoved);
}

Navigator::~Navigator() = default;

void Navigator::addEntry(const QString &name, Entry newEntry)
{
    m_entries.insert_or_assign(name, std::move(newEntry));
}

void Navigator::registerMainScreen(const QString &name, WindowFactory factory)
{
    Entry newEntry{Entry::Kind::MainScreen, std::move(factory), {}, {}, {}};
    addEntry(name, std::move(newEntry));
}

void Navigator::registerModeless(const QString &name, WindowFactory factory)
{
    Entry newEntry{Entry::Kind::Modeless, std::move(factory), {}, {}, {}};
    addEntry(name, std::move(newEntry));
}

void Navigator::registerTool(const QString &name, WindowFactory factory)
{
    Entry newEntry{Entry::Kind::Tool, std::move(factory), {}, {}, {}};
    addEntry(name, std::move(newEntry));
}

void Navigator::registerModal(const QString &name, DialogFactory factory, ModalLifetime lifetime)
{
    Entry newEntry{Entry::Kind::Modal, {}, std::move(factory), lifetime, {}};
    addEntry(name, std::move(newEntry));
}

bool Navigator::isRegistered(const QString &name) const
{
    return m_entries.count(name) > 0;
}

Navigator::Entry *Navigator::entry(const QString &name)
{
    const auto found = m_entries.find(name);
    return found == m_entries.end() ? nullptr : &found->second;
}

QWidget *Navigator::window(const QString &name) const
{
    const auto found = m_entries.find(name);
    return found == m_entries.end() ? nullptr : found->second.window.get();
}

QWidget *Navigator::build(Entry &target)
{
    if (target.window)
        return target.window.get();
    if (target.kind == Entry::Kind::Modal)
        target.window = target.dialogFactory(m_context);
    else
        target.window = target.windowFactory(m_context);
    if (target.kind == Entry::Kind::MainScreen && target.window)
        target.window->installEventFilter(this);
    return target.window.get();
}

Navigator::Entry *Navigator::entryToShow(const QString &name, Entry::Kind kind)
{
    if (m_ending)
        return nullptr;
    Entry *found = entry(name);
    if (found != nullptr && found->kind == kind)
        return found;
    notAvailable(name);
    return nullptr;
}

void Navigator::notAvailable(const QString &name)
{
    m_context.ui().MsgBox(
        QStringLiteral("The %1 window is not available yet.").arg(windowCaption(name)),
        core::MsgButtons::Ok, core::MsgIcon::Information, QStringLiteral("Not Available"),
        core::MsgResult::Ok);
}

void Navigator::switchActive(QWidget *to)
{
    QWidget *const from = m_active;
    if (from == to)
        return;
    leaveModeless();
    if (Activatable *leaving = asActivatable(from))
        leaving->deactivated();
    m_active = to;
    if (Activatable *arriving = asActivatable(to))
        arriving->activated();
}

QWidget *Navigator::showFirst(const QString &name)
{
    Entry *target = entry(name);
    if (target == nullptr || target->kind != Entry::Kind::MainScreen)
        return nullptr;
    QWidget *window = build(*target);
    if (window == nullptr)
        return nullptr;
    ShowFormInPlace(nullptr, window);
    switchActive(window);
    return window;
}

void Navigator::showMainScreen(QWidget *from, const QString &name)
{
    Entry *target = entryToShow(name, Entry::Kind::MainScreen);
    if (target == nullptr)
        return;
    LeaveVeto *const veto = asLeaveVeto(from);
    if (veto != nullptr && !veto->allowLeavingFor(name))
        return;
    QWidget *to = build(*target);
    if (to == nullptr || to == from)
        return;
    ShowFormInPlace(from, to);
    switchActive(to);
}

void Navigator::showMainScreenInFront(const QString &name)
{
    QWidget *const active = m_active;
    if (active == nullptr || window(name) != active) {
        showMainScreen(active, name);
        return;
    }
    leaveModeless();
    showWindow(*active);
}

QWidget *Navigator::showInFront(const QString &name, Entry::Kind kind)
{
    Entry *target = entryToShow(name, kind);
    QWidget *window = target == nullptr ? nullptr : build(*target);
    if (window == nullptr)
        return nullptr;
    window->showNormal();
    showWindow(*window);
    return window;
}

void Navigator::showModeless(const QString &name)
{
    QWidget *window = showInFront(name, Entry::Kind::Modeless);
    if (window == nullptr || m_modeless == window)
        return;
    leaveModeless();
    m_modeless = window;
    m_modelessFocused = false;
    if (Activatable *arriving = asActivatable(window))
        arriving->activated();
}

void Navigator::showTool(const QString &name)
{
    showInFront(name, Entry::Kind::Tool);
}

void Navigator::leaveModeless()
{
    QWidget *const leaving = m_modeless;
    m_modeless = nullptr;
    if (leaving == nullptr)
        return;
    if (Activatable *activatable = asActivatable(leaving))
        activatable->deactivated();
    leaving->hide();
}

// Only a window the navigator built counts as another window of the program coming in front;
// a message box is none of them, and another application's window gives no focus window here.
void Navigator::focusMoved(QWindow *focused)
{
    if (m_modeless == nullptr || focused == nullptr)
        return;
    // A focus change still queued from before the window came up must not leave it at once.
    if (focused == m_modeless->windowHandle()) {
        m_modelessFocused = true;
        return;
    }
    if (!m_modelessFocused)
        return;
    for (const auto &[name, registered] : m_entries) {
        QWidget *window = registered.window.get();
        if (registered.kind == Entry::Kind::Tool)
            continue;
        if (window != nullptr && window != m_modeless && window->windowHandle() == focused) {
            leaveModeless();
            return;
        }
    }
}

void Navigator::openModal(QWidget *parent, const QString &name)
{
    Entry *target = entryToShow(name, Entry::Kind::Modal);
    if (target == nullptr)
        return;
    if (target->lifetime == ModalLifetime::Kept) {
        auto *dialog = static_cast<QDialog *>(build(*target));
        if (dialog != nullptr)
            runDialog(*dialog, parent);
        return;
    }
    const std::unique_ptr<QDialog> dialog = target->dialogFactory(m_context);
    if (dialog)
        runDialog(*dialog, parent);
}

void Navigator::runDialog(QDialog &dialog, QWidget *parent)
{
    leaveModeless();
    Activatable *const owner = asActivatable(parent);
    Activatable *const own = asActivatable(&dialog);
    if (owner != nullptr)
        owner->deactivated();
    centreOver(dialog, parent);
    applyAccessibleIds(&dialog);
    m_openDialogs.emplace_back(&dialog);

    QMetaObject::Connection closing;
    if (own != nullptr) {
        closing = connect(&dialog, &QDialog::finished, this, [own] { own->deactivated(); });
        // Activated from inside the dialog's own event loop, once it is on the screen.
        QMetaObject::invokeMethod(
            &dialog,
            [own, &dialog] {
                if (dialog.isVisible())
                    own->activated();
            },
            Qt::QueuedConnection);
    }
    dialog.exec();
    disconnect(closing);

    m_openDialogs.erase(std::remove(m_openDialogs.begin(), m_openDialogs.end(), &dialog),
                        m_openDialogs.end());
    if (owner != nullptr && !m_ending)
        owner->activated();
}

void Navigator::showTerminal(QWidget *from)
{
    core::AppState &app = m_context.app;
    try {
        if (app.LoggingActive()) {
            const core::MsgResult answer = m_context.ui().MsgBox(
                QStringLiteral("Warning: logging session(s) are currently in progress - In order "
                               "to use the terminal, all logging must be stopped.  Are sure you "
                               "wish to display the Terminal?"),
                core::MsgButtons::YesNo, core::MsgIcon::Question,
                QStringLiteral("Display Terminal?"), core::MsgResult::No);
            if (answer != core::MsgResult::Yes)
                return;
        }
        if (m_stopLoggingSessions)
            m_stopLoggingSessions();
        runLoggingTick();
        openModal(from, QStringLiteral("frmTerminal"));
    } catch (const core::AppError &error) {
        core::reportAppError(m_context.ui(), error, QStringLiteral("frmMain.mnuCommTerm_Click"));
    }
}

void Navigator::runLoggingTick()
{
    if (!m_loggingTick || m_ending)
        return;
    const core::ReentryGuard guard(m_inLoggingTick, m_loops);
    if (!guard)
        return;
    m_loggingTick();
}

bool Navigator::vetoesAllowEnd()
{
    if (m_askingVetoes)
        return false;
    const QScopedValueRollback asking(m_askingVetoes, true);
    for (auto &[name, registered] : m_entries) {
        LeaveVeto *veto = asLeaveVeto(registered.window.get());
        if (veto != nullptr && !veto->allowProgramEnd())
            return false;
    }
    return true;
}

bool Navigator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Close || m_ending)
        return QObject::eventFilter(watched, event);
    if (endProgram())
        return false; // the window's own close handling runs on
    event->ignore();
    return true;
}

bool Navigator::endProgram()
{
    if (m_ending)
        return true;
    if (!vetoesAllowEnd())
        return false;
    m_ending = true;
    leaveModeless();
    // Newest first, so each modal window's loop unwinds before the one below it.
    for (auto open = m_openDialogs.rbegin(); open != m_openDialogs.rend(); ++open) {
        if (*open)
            (*open)->reject();
    }
    if (Activatable *active = asActivatable(m_active))
        active->deactivated();
    m_active = nullptr;
    for (auto &[name, registered] : m_entries) {
        if (registered.window)
            registered.window->hide();
    }
    m_loops.whenIdle([this] { emit programEnded(); });
    return true;
}

} // namespace vanta::ui
