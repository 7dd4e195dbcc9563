// A loan of the serial port: held by a window that uses the port at other settings or byte by
// byte (the search, the terminal, the raw windows), so the logging, monitor and graph ticks skip
// their reads meanwhile instead of talking in between. The engines never check it: the
// borrower's own reads go through.
#pragma once

#include "core/app_state.h"

namespace vanta::comms {

// AppState::PortBorrowed() is true from construction to destruction. Loans nest: the port is
// back when the last one ends.
class PortLoan
{
public:
    explicit PortLoan(core::AppState &app) : m_app(app) { m_app.lendPort(); }
    ~PortLoan() { m_app.returnPort(); }
    PortLoan(const PortLoan &) = delete;
    PortLoan &operator=(const PortLoan &) = delete;

private:
    core::AppState &m_app;
};

} // namespace vanta::comms
