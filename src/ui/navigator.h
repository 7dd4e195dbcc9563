// Moving between the program's windows: main screens shown in place, modal windows, the
// monitor frame, the Terminal command and the end of the program. Windows never include each
// other's headers: they ask the navigator for a window by its name.
//
// How a new window plugs in:
//  1. Build it as a QWidget (main screens such as frmStatus, the monitor frame mdiMonitor) or a
//     QDialog (modal windows such as frmLogging). Its constructor takes `const WindowContext &`
//     plus any logic object it shows; it sets its objectName to its name ("frmStatus") and its
//     controls' object names to their design names ("cmdStart").
//  2. Register a factory under that name in the application's wiring (src/app/windows.cpp):
//     registerMainScreen, registerModal or registerModeless. Until a name is registered, the
//     buttons and menu items that lead to it say that the window is not available yet.
//  3. Behaviour tied to the window becoming active or inactive (starting and stopping a poll
//     timer, showing lblDemoMode) goes into Activatable::activated() / deactivated(). The
//     navigator calls them when the window is shown in place or left, when a modal window opened
//     from it closes, and for a modal window when it opens and closes. Qt focus changes (message
//     boxes, switching applications) never do.
//  4. Main screens carry the shared navigation buttons and menus (navigation_bar.h) and call
//     endProgram() from their closeEvent: closing any main screen ends the program.
//     A window that can hold work the user would lose (unsaved edits) implements LeaveVeto: the
//     navigator asks it before another main screen takes its place and before the program ends,
//     and a close of a main screen it built is refused when a veto keeps the program running.
//  5. Timer ticks and loops that let window events run hold a ReentryGuard (core/reentry_guard.h)
//  on
//     loops(). endProgram() and any window close asked for inside such a loop wait until it has
//     unwound (LoopTracker::whenIdle).
//  6. Cross-window effects (demo mode, the main window's error line and indicators) go through
//     AppState signals, never through another window.
#pragma once

#include "comms/comm_link.h"
#include "core/app_state.h"
#include "core/reentry_guard.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace vanta::ui {

class Navigator;

// Implemented by windows whose behaviour follows activation.
class Activatable
{
public:
    virtual ~Activatable() = default;
    virtual void activated() = 0;
    virtual void deactivated() = 0;
};

// Implemented by windows that can hold work the user would lose. The window asks its user and
// answers; false keeps things as they are.
class LeaveVeto
{
public:
    virtual ~LeaveVeto() = default;
    // Main screen `target` is about to be shown in this window's place (`target` may name this
    // window itself).
    virtual bool allowLeavingFor(const QString &target) = 0;
    // The program is about to end.
    virtual bool allowProgramEnd() = 0;
};

// What every window gets when it is built. Everything is borrowed from the program.
struct WindowContext
{
    core::AppState &app;
    comms::CommLink &link; // the port, clock and user of every transaction
    Navigator &navigator;

    core::Interaction &ui() const { return link.ui; }
    core::Clock &clock() const { return link.clock; }
};

// The four window operations of a switch in place: when the two windows differ, ToForm takes
// FromForm's left and top position and is shown, and FromForm is hidden. Null or equal windows:
// nothing happens.
void ShowFormInPlace(QWidget *FromForm, QWidget *ToForm);

class Navigator : public QObject
{
    Q_OBJECT

public:
    using WindowFactory = std::function<std::unique_ptr<QWidget>(const WindowContext &)>;
    using DialogFactory = std::function<std::unique_ptr<QDialog>(const WindowContext &)>;
    // PerOpening: built at each opening and destroyed when it closes (the window loads afresh).
    // Kept: built once and only hidden when closed, so it keeps its contents between openings.
    enum class ModalLifetime
    {
        PerOpening,
        Kept
    };

    Navigator(core::AppState &app, comms::CommLink &link, QObject *parent = nullptr);
    ~Navigator() override;

    // Main screens and the monitor frame are built on first use and live until the program
    // ends. Registering a name again replaces its factory (tests).
    void registerMainScreen(const QString &name, WindowFactory factory);
    void registerModeless(const QString &name, WindowFactory factory);
    // A tool window (the protocol trace) stands beside the others: showing it, focusing it or
    // hiding it never activates or leaves any window, so the monitor keeps polling behind it.
    void registerTool(const QString &name, WindowFactory factory);
    void registerModal(const QString &name, DialogFactory factory,
                       ModalLifetime lifetime = ModalLifetime::PerOpening);
    bool isRegistered(const QString &name) const;

    // Start-up: builds and shows the first main screen (frmMain) and activates it.
    QWidget *showFirst(const QString &name);
    // Moves from the main screen `from` to main screen `name` in place (ShowFormInPlace):
    // `from` is deactivated, the target activated. The same window: nothing happens. A `from`
    // that is a LeaveVeto is asked first and may keep itself in front.
    void showMainScreen(QWidget *from, const QString &name);
    // A main screen asked for from a modeless window (the monitor's "Cfg"): it takes the active
    // main screen's place as showMainScreen does or, when it is the active one already, comes in
    // front. Either way the modeless window is left.
    void showMainScreenInFront(const QString &name);
    // Opens modal window `name` over `parent` and returns when it has closed. `parent`, when
    // Activatable, is deactivated meanwhile and activated again afterwards.
    void openModal(QWidget *parent, const QString &name);
    // Shows a modeless window (the monitor frame) in its normal state, in front, and activates
    // it unless it is active already. It does not deactivate the main screen.
    void showModeless(const QString &name);
    // The active modeless window is deactivated and hidden. This happens too when another
    // window of the program comes in front: a main screen shown in place, a modal window opened,
    // or a click on a main screen. The program's message boxes and switching to another
    // application never count. Nothing active: nothing happens.
    void leaveModeless();
    // Shows a tool window in its normal state and in front; built on first use.
    void showTool(const QString &name);
    QWidget *activeModeless() const { return m_modeless; }
    void showMonitor() { showModeless(QStringLiteral("mdiMonitor")); }
    // The Terminal command of every Communications menu: asks before stopping running logging
    // sessions, stops them (through the handler of setStopLoggingSessions), runs one logging
    // tick, then opens frmTerminal modally.
    void showTerminal(QWidget *from);

    // The window of `name` when it has been built, else null.
    QWidget *window(const QString &name) const;
    // The main screen that is shown now (null before showFirst).
    QWidget *activeMainScreen() const { return m_active; }

    // Ends the program: every built window that is a LeaveVeto is asked first, and any refusal
    // keeps the program running (false). Otherwise open modal windows close, windows are
    // deactivated and hidden, and once no guarded tick or loop runs programEnded() is emitted
    // (the application quits on it). Running logging sessions end without further lines. Safe
    // to call more than once; true once the program is ending.
    bool endProgram();
    bool isEnding() const { return m_ending; }

    core::LoopTracker &loops() { return m_loops; }
    const WindowContext &context() const { return m_context; }

    // The logging engine's timer tick, run by the main window's tmrLogging and by the Terminal
    // command, guarded against re-entry (a tick that shows a message box is not re-entered).
    // Set by the application's wiring; nothing runs until it is set.
    void setLoggingTick(std::function<void()> tick) { m_loggingTick = std::move(tick); }
    void runLoggingTick();
    // Stops every running logging session without asking (the Terminal command has asked). Set
    // by the application's wiring, which knows the logging engine; unset, nothing stops.
    void setStopLoggingSessions(std::function<void()> stop)
    {
        m_stopLoggingSessions = std::move(stop);
    }

signals:
    void programEnded();

protected:
    // Closing a main screen the navigator built ends the program, unless a veto refuses: then
    // the close is refused too and the window stays.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        enum class Kind
        {
            MainScreen,
            Modeless,
            Tool,
            Modal
        } kind;
        WindowFactory windowFactory;
        DialogFactory dialogFactory;
        ModalLifetime lifetime = ModalLifetime::PerOpening;
        std::unique_ptr<QWidget> window; // built main screen, modeless or kept modal window
    };

    Entry *entry(const QString &name);
    // The registered window of that kind to show now; null, after saying so, when there is
    // none, and null when the program is ending.
    Entry *entryToShow(const QString &name, Entry::Kind kind);
    QWidget *build(Entry &entry);
    // Builds a modeless or tool window on first use and shows it in its normal state, in front.
    QWidget *showInFront(const QString &name, Entry::Kind kind);
    void addEntry(const QString &name, Entry entry);
    void notAvailable(const QString &name);
    void switchActive(QWidget *to);
    void focusMoved(QWindow *focused);
    void runDialog(QDialog &dialog, QWidget *parent);
    bool vetoesAllowEnd();

    WindowContext m_context;
    core::LoopTracker m_loops;
    std::map<QString, Entry> m_entries;
    QPointer<QWidget> m_active;
    QPointer<QWidget> m_modeless;   // the active modeless window
    bool m_modelessFocused = false; // it has had the focus since it was shown
    std::vector<QPointer<QDialog>> m_openDialogs;
    std::function<void()> m_loggingTick;
    std::function<void()> m_stopLoggingSessions;
    bool m_inLoggingTick = false;
    bool m_ending = false;
    bool m_askingVetoes = false; // a veto's question is open: a second end waits for it
};

} // namespace vanta::ui
