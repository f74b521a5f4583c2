// Periodic reading: "Číst" reads the measurements at once and then about once a second until
// it is unchecked; closing the window while it reads ends the program cleanly.
#include "ToolTest.h"
#include "UserInput.h"
#include "WindowProbe.h"

namespace {

using ReadingTest = ToolTest;

// Measurement reads: function 4 from register 16.
unsigned MeasurementReads(SimClient& Sim)
{
    return Sim.Requests(4, 16);
}

TEST_F(ReadingTest, CheckingReadsAtOnceThenEverySecondUntilUnchecked)
{
    ConnectToSensor();
    SIM_OK(Sim.Set(RegisterTable::Input, 16, 2000));
    SIM_OK(Sim.Clear());
    Click(ReadCheckBoxPlace);
    EXPECT_EQ(1u, MeasurementReads(Sim)) << "one read at once";
    EXPECT_EQ("20.00", Text(FirstMeasurementPlace));

    SIM_OK(Sim.Set(RegisterTable::Input, 16, 2150));
    Sleep(3500);
    const unsigned reads = MeasurementReads(Sim);
    EXPECT_GE(reads, 3u) << "about one read a second over 3.5 s";
    EXPECT_LE(reads, 6u) << "about one read a second over 3.5 s";
    EXPECT_EQ("21.50", Text(FirstMeasurementPlace)) << "each read is shown";

    Click(ReadCheckBoxPlace);
    const unsigned afterUnchecking = MeasurementReads(Sim);
    Sleep(2500);
    EXPECT_EQ(afterUnchecking, MeasurementReads(Sim)) << "no reads after unchecking";

    SIM_OK(Sim.Clear());
    Click(ReadCheckBoxPlace);
    EXPECT_EQ(1u, MeasurementReads(Sim)) << "checking again reads at once again";
    Click(ReadCheckBoxPlace);
}

TEST_F(ReadingTest, ReadingGoesOnWhileNotConnectedAndKeepsTheLastValues)
{
    ConnectToSensor();
    SIM_OK(Sim.Set(RegisterTable::Input, 17, 4321));
    Click(ReadCheckBoxPlace);
    ASSERT_EQ("43.21", Text(FirstMeasurementPlace + 2));
    SIM_OK(Sim.Fault("noreply"));
    SIM_OK(Sim.Set(RegisterTable::Input, 17, 1111));
    Sleep(2500);
    EXPECT_EQ("43.21", Text(FirstMeasurementPlace + 2)) << "failed reads keep the last texts";
    EXPECT_TRUE(Tool.NoMessageBoxWithin(100));
    SIM_OK(Sim.Fault("none"));
    Sleep(1500);
    EXPECT_EQ("11.11", Text(FirstMeasurementPlace + 2)) << "reading resumes";
}

TEST_F(ReadingTest, ReadingGoesOnWhileTheSettingsDialogIsOpen)
{
    ConnectToSensor();
    Click(ReadCheckBoxPlace);
    HWND dialog = OpenSettingsDialog();
    ASSERT_NE(nullptr, dialog);
    SIM_OK(Sim.Clear());
    Sleep(2500);
    EXPECT_GE(MeasurementReads(Sim), 2u) << "the timer runs in the dialog's own message loop";
    UserInput::Key(VK_ESCAPE);
    EXPECT_TRUE(ToolProcess::WaitUntilGone(dialog));
}

TEST_F(ReadingTest, ATimerMessageOfAnyIdReadsTheMeasurements)
{
    ConnectToSensor();
    SIM_OK(Sim.Clear());
    // The read timer's own id and another one.
    const WPARAM ids[] = {1, 7};
    for (WPARAM id : ids)
        PostMessageW(Tool.MainWindow(), WM_TIMER, id, 0);
    Tool.Settle();
    EXPECT_EQ(2u, MeasurementReads(Sim)) << "one read per WM_TIMER, whatever its id";
}

TEST_F(ReadingTest, ClosingTheWindowWhileReadingEndsWithExitCodeZero)
{
    ConnectToSensor();
    Click(ReadCheckBoxPlace);
    ASSERT_NE(0, SendMessageW(Control(ReadCheckBoxPlace), BM_GETCHECK, 0, 0));
    Tool.Activate();
    UserInput::Key(VK_F4, VK_MENU);
    EXPECT_EQ(0, Tool.WaitForExit(10000)) << "exit code after Alt+F4 (-1: still running)";
    SIM_OK(Sim.Clear());
    Sleep(1500);
    EXPECT_EQ(0u, Sim.Requests()) << "nothing reads after the end";
}

}  // namespace
