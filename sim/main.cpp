#include "SimOptions.h"
#include "Simulator.h"

#include <iostream>

int main(int argc, char** argv)
{
    SimOptions options;
    std::string error;
    if (!options.Parse(argc, argv, error)) {
        std::cerr << "zef-sim: " << error << "\n" << SimOptions::Usage;
        return 2;
    }
    return Simulator(options).Run(std::cout, std::cerr);
}
