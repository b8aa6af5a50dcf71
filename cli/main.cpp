// radioctl: the radio from the command line.
#include <iostream>

#include "CommandRun.h"
#include "Radioctl.h"

int main(int argc, char** argv) {
    radiosetup::CatchInterruptions();
    return radiosetup::RunRadioctl(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                   std::cerr);
}
