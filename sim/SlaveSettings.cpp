#include "SlaveSettings.h"

namespace {
constexpr uint32_t BaudRates[SlaveSettings::BaudCount] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
}

uint32_t SlaveSettings::BaudRateOf(uint8_t baudIndex)
{
    return baudIndex < BaudCount ? BaudRates[baudIndex] : 0;
}

bool SlaveSettings::BaudIndexOf(uint32_t baudRate, uint8_t& baudIndex)
{
    for (uint8_t i = 0; i < BaudCount; ++i) {
        if (BaudRates[i] == baudRate) {
            baudIndex = i;
            return true;
        }
    }
    return false;
}
