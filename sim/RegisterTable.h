#pragma once

// The two register tables of the sensor: input registers (function 4) and holding registers
// (functions 3 and 6).
enum class RegisterTable { Input, Holding };
