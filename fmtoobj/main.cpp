// fmtoobj: writes one animation frame of a Heretic II FlexModel as Wavefront OBJ.

#include <iostream>
#include <string>
#include <vector>

#include "fmtoobj/converter.h"

using namespace ::fmtoobj;

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + argc);
    CurrentDirectory output;
    int status = RunFmToObj(arguments, std::cout, output);
    std::cout.flush();
    return status;
}
