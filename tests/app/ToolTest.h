#pragma once

#include "SimClient.h"
#include "ToolProcess.h"

#include <gtest/gtest.h>

#include <string>

// A fresh zef-config.exe for every test, with the simulated sensor of the test fixture (listed
// among the machine's serial ports) put back to its defaults: identification "ZEF", firmware
// 1.05, serial number 123456, stored settings equal to the active ones (address 1, 19200 Bd,
// even parity), no corrections, no fault, counters cleared.
class ToolTest : public ::testing::Test {
protected:
    // Places of the controls in the main window's creation order.
    enum Place {
        PortListPlace = 2,
        SettingsButtonPlace = 3,
        IdentificationPlace = 5,
        FirmwarePlace = 7,
        SerialNumberPlace = 9,
        AddressListPlace = 12,
        BaudRateListPlace = 14,
        ParityListPlace = 16,
        RestartPlace = 17,
        FirstMeasurementPlace = 20,  // then 22, 24, 26
        ReadCheckBoxPlace = 27,
        FirstCorrectionPlace = 29,   // then 31, 33, 35; each followed by its "Zápis" button
    };

    void SetUp() override;

    HWND Control(int Place) const { return Tool.Control(Place); }
    std::string Text(int Place) const;
    // Picks the item with this text from a list of the main window with the mouse, as the
    // operator does: a click drops the list down, a click on the item chooses it. Returns
    // when the tool has run the command.
    void Choose(int Place, const std::string& Item);
    // Chooses the simulated sensor's port.
    void ConnectToSensor() { Choose(PortListPlace, Port); }
    // Moves the focus with Tab until it reaches the control; false when it never does.
    bool TabTo(int Place);
    // Clicks a control of the main window and waits until the tool has handled the click.
    void Click(int Place);
    // Replaces the text of an entry field by typing, as the operator does.
    void TypeInto(int Place, const char* Text);
    // Runs the settings dialog: "..." opens it; returns its window (null when none came).
    HWND OpenSettingsDialog();

    ToolProcess Tool;
    SimClient Sim;
    std::string Port;
};

// Expects a reply "ok ..." from a control command of the simulator.
#define SIM_OK(call) ASSERT_TRUE(call) << "simulator: " << Sim.LastReply()
