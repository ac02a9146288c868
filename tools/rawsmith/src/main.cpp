#include <iostream>
#include <string>
#include <vector>

#include "rawsmith/rawsmith_app.h"

int main(int argc, char** argv) {
    return rawsmith::RunRawsmith(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                 std::cerr);
}
