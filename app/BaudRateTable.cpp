#include "BaudRateTable.h"

namespace {
const std::uint32_t Rates[BaudRateTable::Count] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
}

std::uint32_t BaudRateTable::Rate(int Index)
{
    return Rates[Index];
}
