#include "Climate.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Magnus formula coefficients over water.
constexpr double MagnusB = 17.62;
constexpr double MagnusC = 243.12;  // °C

double Wave(double seconds, double period, double phase)
{
    return std::sin(2 * Pi * seconds / period + phase);
}

int Hundredths(double value)
{
    return static_cast<int>(std::lround(value * 100));
}

// Saturation vapour pressure in hPa at a temperature in °C.
double SaturationPressure(double celsius)
{
    return 6.112 * std::exp(MagnusB * celsius / (MagnusC + celsius));
}

// Relative humidity as a fraction, kept away from 0 where the logarithm below breaks down.
double HumidityFraction(int relHumidity)
{
    return std::clamp(relHumidity / 10000.0, 0.001, 1.0);
}

}  // namespace

// Periods of several minutes: between two readings a second apart the values change by at most
// a few hundredths, as a real room does.
int Climate::Temperature(double seconds)
{
    return Hundredths(21.5 + 0.8 * Wave(seconds, 617, 0) + 0.2 * Wave(seconds, 97, 1.3));
}

int Climate::RelHumidity(double seconds)
{
    return Hundredths(45.0 + 4.0 * Wave(seconds, 853, 2.1) + 0.5 * Wave(seconds, 131, 0.4));
}

int Climate::AbsHumidity(int temperature, int relHumidity)
{
    const double celsius = temperature / 100.0;
    const double vapourPressure = HumidityFraction(relHumidity) * SaturationPressure(celsius);
    return Hundredths(216.7 * vapourPressure / (273.15 + celsius));
}

int Climate::DewPoint(int temperature, int relHumidity)
{
    const double celsius = temperature / 100.0;
    const double gamma = std::log(HumidityFraction(relHumidity)) + MagnusB * celsius / (MagnusC + celsius);
    return Hundredths(MagnusC * gamma / (MagnusB - gamma));
}
