// Port loans nest: the port is lent from the first loan to the end of the last.
#include "comms/port_loan.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

using namespace vanta;

TEST(PortLoan, NestedLoansLendThePortUntilTheLastEnds)
{
    core::AppState app(QStringLiteral("/tmp"));
    std::vector<bool> changes;
    QObject::connect(&app, &core::AppState::portBorrowedChanged,
                     [&changes](bool borrowed) { changes.push_back(borrowed); });
    {
        const comms::PortLoan search(app);
        std::optional<comms::PortLoan> terminal(std::in_place, app);
        terminal.reset();
        EXPECT_TRUE(app.PortBorrowed());
    }
    EXPECT_FALSE(app.PortBorrowed());
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}
