#pragma once

// The room the simulated sensor sits in: temperature and relative humidity wander slowly
// around a comfortable indoor climate, and the two derived quantities follow from them.
// All values are in hundredths of their unit, as the sensor reports them.
class Climate {
public:
    // Temperature in °C and relative humidity in %, `seconds` after the sensor started.
    static int Temperature(double seconds);
    static int RelHumidity(double seconds);
    // Absolute humidity in g/m3 and dew point in °C for a temperature and relative humidity.
    static int AbsHumidity(int temperature, int relHumidity);
    static int DewPoint(int temperature, int relHumidity);
};
