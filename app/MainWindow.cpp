#include "MainWindow.h"

#include "AddressComboBox.h"
#include "Application.h"
#include "BaudRateComboBox.h"
#include "BaudRateTable.h"
#include "Button.h"
#include "CheckBox.h"
#include "GroupBox.h"
#include "NumberEdit.h"
#include "ParityComboBox.h"
#include "PortComboBox.h"
#include "Sensor.h"
#include "SettingsDialog.h"
#include "Static.h"
#include "ValueDisplay.h"

#include <cmath>
#include <cstring>

namespace {

// Control ids of the commands.
enum : unsigned {
    PortListId = 101,
    SettingsButtonId = 102,
    AddressListId = 104,
    BaudRateListId = 105,
    ParityListId = 106,
    RestartButtonId = 107,
    ReadCheckBoxId = 108,
    FirstWriteButtonId = 109,  // "Zápis" of correction 1; 110 ... 112 follow
};

// The signed 16-bit range in hundredths.
constexpr float HighestCorrection = 327.67f;
constexpr float LowestCorrection = -327.68f;

constexpr COLORREF LightGrey = RGB(192, 192, 192);

// A port name longer than this is cut before it is opened.
constexpr int MaxPortNameLength = 7;

}  // namespace

MainWindow::MainWindow(const char* Title) : Window(nullptr, Title)
{
    Style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    Width = 575;
    Height = 283;
    CreateControls();
    Link = {4, 2, 1};  // 19200 Bd, even parity, address 1: the sensor's factory settings
    SensorDevice = new Sensor();
    ReadTimer = 0;
    EnableKeyboardNavigation();
}

// The children's windows are created in this order, which is also the Tab order.
void MainWindow::CreateControls()
{
    new Static(this, "Port:", 388, 14, 40, 18, 0, 0);
    PortList = new PortComboBox(this, 438, 10, 80, 160, PortListId);
    new Button(this, "...", 528, 10, 32, 24, SettingsButtonId);
    new Static(this, "P\xF8" "evodn\xEDk:", 10, 10, 90, 20, 0, 0);  // "Převodník:"
    IdentificationField = new ValueDisplay(this, "", 110, 10, 100, 20);
    new Static(this, "Firmware:", 10, 35, 90, 20, 0, 0);
    FirmwareField = new ValueDisplay(this, "", 110, 35, 100, 20);
    new Static(this, "V\xFDrobn\xED \xE8\xEDslo:", 10, 60, 90, 20, 0, 0);  // "Výrobní číslo:"
    SerialNumberField = new ValueDisplay(this, "", 110, 60, 100, 20);

    new GroupBox(this, "Komunikace:", 10, 90, 170, 155, 0);
    new Static(this, "Adresa", 20, 117, 65, 20, 0, 0);
    AddressList = new AddressComboBox(this, 95, 115, 75, 200, AddressListId);
    new Static(this, "Rychlost", 20, 147, 65, 20, 0, 0);
    BaudRateList = new BaudRateComboBox(this, 95, 145, 75, 200, BaudRateListId);
    new Static(this, "Parita", 20, 177, 65, 20, 0, 0);
    ParityList = new ParityComboBox(this, 95, 175, 75, 200, ParityListId);
    new Button(this, "Restart", 20, 212, 150, 22, RestartButtonId);

    new GroupBox(this, "Hodnoty v\xE8" "etn\xEC korekce:", 190, 90, 220, 155, 0);  // "Hodnoty včetně korekce:"
    const char* const measurementLabels[4] = {
        "Teplota [\xB0" "C]",      // "Teplota [°C]"
        "Rel. vlhkost [%]",
        "Abs. vlhkost [g/m3]",
        "Rosn\xFD bod [\xB0" "C]",  // "Rosný bod [°C]"
    };
    for (int k = 0; k < 4; ++k) {
        new Static(this, measurementLabels[k], 200, 115 + 25 * k, 130, 20, 0, 0);
        MeasurementFields[k] = new ValueDisplay(this, "", 340, 115 + 25 * k, 60, 20);
    }
    ReadCheckBox = new CheckBox(this, "\xC8\xEDst", 200, 215, 60, 20, ReadCheckBoxId);  // "Číst"

    new GroupBox(this, "Korekce:", 420, 90, 140, 155, 0);
    for (int k = 0; k < 4; ++k) {
        CorrectionFields[k] = new NumberEdit(this, "", 430, 115 + 25 * k, 60, 20, 0);
        new Button(this, "Z\xE1pis", 500, 115 + 25 * k, 50, 20, FirstWriteButtonId + k);  // "Zápis"
    }
}

MainWindow::~MainWindow()
{
    delete SensorDevice;
}

void MainWindow::DestroyHandle()
{
    if (ReadTimer != 0) {
        KillTimer(Handle, ReadTimerId);
        ReadTimer = 0;
    }
    Window::DestroyHandle();
}

void MainWindow::HandleMessage(MessageRecord& Msg)
{
    switch (Msg.Message) {
    case WM_TIMER:
        ShowMeasurements();
        break;
    case WM_CTLCOLORSTATIC:
        OnCtlColorStatic(Msg);
        break;
    default:
        Window::HandleMessage(Msg);
    }
}

void MainWindow::HandleChildNotify(MessageRecord& Msg, unsigned Id)
{
    const bool selectionChanged = HIWORD(Msg.WParam) == CBN_SELCHANGE;
    switch (Id) {
    case PortListId:
        if (selectionChanged)
            OnPortChosen();
        break;
    case AddressListId:
        if (selectionChanged)
            OnAddressChosen();
        break;
    case BaudRateListId:
        if (selectionChanged)
            OnBaudRateChosen();
        break;
    case ParityListId:
        if (selectionChanged)
            OnParityChosen();
        break;
    case SettingsButtonId:
        OnSettingsButton();
        break;
    case RestartButtonId:
        OnRestart();
        break;
    case ReadCheckBoxId:
        OnReadToggled();
        break;
    case FirstWriteButtonId:
    case FirstWriteButtonId + 1:
    case FirstWriteButtonId + 2:
    case FirstWriteButtonId + 3:
        OnWriteCorrection(static_cast<int>(Id - FirstWriteButtonId) + 1);
        break;
    default:
        Window::HandleChildNotify(Msg, Id);
    }
}

void MainWindow::FillWindowClass(WNDCLASSA& Class)
{
    Window::FillWindowClass(Class);
    Class.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    Class.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}

void MainWindow::PrepareWindow()
{
    Window::PrepareWindow();
}

void MainWindow::OnCtlColorStatic(MessageRecord& Msg)
{
    SetBkColor(reinterpret_cast<HDC>(Msg.WParam), LightGrey);
    Msg.Result = reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
}

void MainWindow::OnPortChosen()
{
    Connect();
}

void MainWindow::OnSettingsButton()
{
    if (CurrentApplication->RunDialog(new SettingsDialog(this, &Link)) == IDOK)
        Connect();
}

void MainWindow::OnAddressChosen()
{
    SensorDevice->WriteAddress(static_cast<std::uint8_t>(AddressList->GetSelIndex() + 1));
}

void MainWindow::OnBaudRateChosen()
{
    SensorDevice->WriteBaudIndex(static_cast<std::uint8_t>(BaudRateList->GetSelIndex()));
}

void MainWindow::OnParityChosen()
{
    SensorDevice->WriteParityIndex(static_cast<std::uint8_t>(ParityList->GetSelIndex()));
}

void MainWindow::OnRestart()
{
    SensorDevice->Restart();
}

void MainWindow::OnReadToggled()
{
    if (ReadCheckBox->GetCheck() != 0) {
        if (ReadTimer == 0) {
            ShowMeasurements();
            ReadTimer = static_cast<std::uint32_t>(SetTimer(Handle, ReadTimerId, 1000, nullptr));
        }
    } else if (ReadTimer != 0) {
        KillTimer(Handle, ReadTimerId);
        ReadTimer = 0;
    }
}

void MainWindow::OnWriteCorrection(int Number)
{
    using Write = bool (Sensor::*)(std::int16_t);
    static const Write writes[4] = {
        &Sensor::WriteTemperatureCorrection,
        &Sensor::WriteRelHumidityCorrection,
        &Sensor::WriteAbsHumidityCorrection,
        &Sensor::WriteDewPointCorrection,
    };
    NumberEdit& field = *CorrectionFields[Number - 1];
    const float x = ClampCorrection(field);
    if (std::isnan(x)) {
        // "Nan" has no integer value: nothing is written, and the operator is told.
        WarnOutOfRange();
        return;
    }
    // Hundredths, halves to the even neighbour (the default rounding mode).
    const auto raw = static_cast<std::int16_t>(std::nearbyint(static_cast<double>(x) * 100.0));
    if ((SensorDevice->*writes[Number - 1])(raw))
        field.SetValue(x);
    else
        ReportRejectedWrite();
}

void MainWindow::Connect()
{
    char name[MaxPortNameLength + 1] = "";
    PortList->GetSelString(name, MaxPortNameLength);
    if (SensorDevice->Open(name)) {
        SensorDevice->SetLine(BaudRateTable::Rate(Link.BaudIndex), Link.ParityIndex, Link.Address);
        const char* text = SensorDevice->ReadIdentification();
        if (text == nullptr) {
            SensorDevice->Close();
        } else if (std::strcmp(text, "ZEF") == 0) {
            IdentificationField->SetText(text);
            ReadAll();
            return;
        } else {
            // "Převodník není kompatibilní s tímto nástrojem."
            MessageBoxA(Handle, "P\xF8" "evodn\xEDk nen\xED kompatibiln\xED s t\xEDmto n\xE1strojem.", text,
                        MB_OK | MB_ICONERROR);
            SensorDevice->Close();
        }
    }
    IdentificationField->Clear();
    FirmwareField->Clear();
    SerialNumberField->Clear();
}

void MainWindow::ReadAll()
{
    std::uint16_t firmware;
    if (SensorDevice->ReadFirmware(firmware))
        FirmwareField->ShowVersion(firmware);
    std::int32_t serialNumber;
    if (SensorDevice->ReadSerialNumber(serialNumber))
        SerialNumberField->ShowInteger(serialNumber);
    CommSettings settings;
    if (SensorDevice->ReadCommSettings(settings)) {
        // By position, without notification: nothing is written back.
        AddressList->SetSelIndex(settings.Address - 1);
        BaudRateList->SetSelIndex(settings.BaudIndex);
        ParityList->SetSelIndex(settings.ParityIndex);
    }
    ShowMeasurements();
    Corrections corrections;
    if (SensorDevice->ReadCorrections(corrections)) {
        const std::int16_t values[4] = {corrections.Temperature, corrections.RelHumidity, corrections.AbsHumidity,
                                        corrections.DewPoint};
        for (int k = 0; k < 4; ++k)
            CorrectionFields[k]->SetValue(static_cast<float>(values[k] / 100.0));
    }
}

void MainWindow::ShowMeasurements()
{
    Measurements values;
    if (!SensorDevice->ReadMeasurements(values))
        return;
    const std::int16_t shown[4] = {values.Temperature, values.RelHumidity, values.AbsHumidity, values.DewPoint};
    for (int k = 0; k < 4; ++k)
        MeasurementFields[k]->ShowReal(static_cast<float>(shown[k] / 100.0));
}

float MainWindow::ClampCorrection(NumberEdit& Field)
{
    const float value = Field.GetValue();
    if (value > HighestCorrection)
        return HighestCorrection;
    if (value < LowestCorrection)
        return LowestCorrection;
    return value;
}

void MainWindow::ReportRejectedWrite()
{
    // Only a sensor that answered with an exception refused the value; silence says nothing.
    if (SensorDevice->GetLastException() != 0)
        WarnOutOfRange();
}

void MainWindow::WarnOutOfRange()
{
    MessageBoxA(Handle, "Hodnota mimo rozsah.", "Chyba", MB_OK | MB_ICONWARNING);
}
