// The live instrument: process value, ramp/soak program and alarms, moved on by hand.
#include "instrument.h"

#include <gtest/gtest.h>

namespace vanta::sim {
namespace {

class ProcessRig : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStringList problems;
        data = DataSet::load(QStringLiteral(VANTA_DATA_DIR), problems);
        plan = std::make_unique<RegisterPlan>(data->tables());
        InstrumentSetup setup;
        setup.name = "v5";
        setup.model = "V5";
        setup.decimals = 1;
        setup.processValue = 75.0;
        setup.setpoint = 75.0;
        setup.noise = 0;
        setup.lagSeconds = 1;
        setup.registers = {{289, 10}, {290, 1000}, {291, 10}, {292, 500}};
        instrument = std::make_unique<Instrument>(setup, *data->model(0, "V5"), *plan);
    }
    void advance(double seconds)
    {
        for (double t = 0; t < seconds - 1e-9; t += 0.5)
            instrument->advance(0.5, random);
    }
    int read(int reg) { return instrument->read(reg).value_or(-99999); }

    std::unique_ptr<DataSet> data;
    std::unique_ptr<RegisterPlan> plan;
    std::unique_ptr<Instrument> instrument;
    std::mt19937 random{3};
};

TEST_F(ProcessRig, RampSoakProgramRampsHoldsAndEndsOnItsLastStep)
{
    ASSERT_EQ(instrument->write(786, 1), WriteStatus::Done);
    advance(5);
    EXPECT_NEAR(read(257), 875, 2); // half way from 75.0 to 100.0
    EXPECT_TRUE(read(3) & 0x1000);  // running
    advance(10);
    EXPECT_NEAR(read(257), 750, 2); // half way back down to 50.0
    ASSERT_EQ(instrument->write(789, 1), WriteStatus::Done);
    advance(30);
    EXPECT_NEAR(read(257), 750, 2); // held: the step timer stands still
    EXPECT_TRUE(read(3) & 0x2000);
    ASSERT_EQ(instrument->write(789, 0), WriteStatus::Done);
    advance(30);
    EXPECT_EQ(read(257), 500); // "hold the last setpoint" at the end
    EXPECT_EQ(read(786), 1);
    EXPECT_NEAR(read(2), 500, 5); // the process has followed
    EXPECT_EQ(instrument->rampSoakStatus() >> 4, 1);
}

TEST_F(ProcessRig, AlarmOutputsFollowTypeLimitsAndFailSafe)
{
    ASSERT_EQ(instrument->write(798, 2), WriteStatus::Done); // high alarm
    ASSERT_EQ(instrument->write(264, 900), WriteStatus::Done);
    EXPECT_FALSE(read(3) & 0x800);
    ASSERT_EQ(instrument->write(258, 1000), WriteStatus::Done);
    advance(20);
    EXPECT_TRUE(read(3) & 0x800);                            // 100.0 is above 90.0
    ASSERT_EQ(instrument->write(799, 2), WriteStatus::Done); // fail-safe output
    EXPECT_FALSE(read(3) & 0x800);
    EXPECT_EQ(instrument->write(264, 10000), WriteStatus::OutOfRange);
    EXPECT_EQ(instrument->write(257, 100), WriteStatus::ReadOnly);
}

} // namespace
} // namespace vanta::sim
