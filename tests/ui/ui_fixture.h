// What the window tests of the ui folder share: a program state with a scripted user, clock and
// line, and a navigator over them.
#pragma once

#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"
#include "support/temp_program_folder.h"
#include "ui/navigator.h"

#include <QCoreApplication>
#include <QWidget>

namespace vanta::test {

struct UiRig
{
    TempProgramFolder folder;
    core::AppState app{folder.path()};
    SettableClock clock;
    ScriptedLine line{clock};
    ScriptedInteraction user;
    comms::CommLink link{app, line, clock, user};
    ui::Navigator navigator{app, link};
};

// A window that records its activations as "+name" and deactivations as "-name".
class RecordingWindow : public QWidget, public ui::Activatable
{
public:
    RecordingWindow(const QString &name, QStringList &events) : m_events(events)
    {
        setObjectName(name);
    }
    void activated() override { m_events << QLatin1Char('+') + objectName(); }
    void deactivated() override { m_events << QLatin1Char('-') + objectName(); }

private:
    QStringList &m_events;
};

// Lets queued calls and deferred actions run.
inline void processEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace vanta::test
