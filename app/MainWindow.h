#pragma once

#include "LinkSettings.h"
#include "Window.h"

#include <cstdint>

class AddressComboBox;
class BaudRateComboBox;
class CheckBox;
class NumberEdit;
class ParityComboBox;
class PortComboBox;
class Sensor;
class ValueDisplay;

// The tool's only window: the sensor's identity, the port choice, the sensor's own line
// settings, its measurements and its corrections. Every command runs its MODBUS transactions
// to the end on the user-interface thread and shows the results in the controls.
class MainWindow : public Window {
public:
    explicit MainWindow(const char* Title);

protected:
    // Runs after the window and the controls are gone: closes the sensor's port.
    ~MainWindow() override;
    void HandleMessage(MessageRecord& Msg) override;
    void HandleChildNotify(MessageRecord& Msg, unsigned Id) override;
    void FillWindowClass(WNDCLASSA& Class) override;
    void PrepareWindow() override;
    // Stops periodic reading before the window is destroyed.
    void DestroyHandle() override;
    // WM_CTLCOLORSTATIC: labels and value displays on the client area's light grey.
    virtual void OnCtlColorStatic(MessageRecord& Msg);

private:
    static constexpr UINT_PTR ReadTimerId = 1;

    void CreateControls();

    void OnPortChosen();
    void OnSettingsButton();
    void OnAddressChosen();
    void OnBaudRateChosen();
    void OnParityChosen();
    void OnRestart();
    void OnReadToggled();
    void OnWriteCorrection(int Number);

    void Connect();
    void ReadAll();
    void ShowMeasurements();
    float ClampCorrection(NumberEdit& Field);
    void ReportRejectedWrite();
    void WarnOutOfRange();

    PortComboBox* PortList;
    ValueDisplay* IdentificationField;
    ValueDisplay* FirmwareField;
    ValueDisplay* SerialNumberField;
    AddressComboBox* AddressList;
    BaudRateComboBox* BaudRateList;
    ParityComboBox* ParityList;
    ValueDisplay* MeasurementFields[4];
    CheckBox* ReadCheckBox;
    NumberEdit* CorrectionFields[4];
    Sensor* SensorDevice;   // owned
    std::uint32_t ReadTimer;  // nonzero exactly while periodic reading runs
    LinkSettings Link;
};
