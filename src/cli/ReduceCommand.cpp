#include <iostream>

#include "Commands.h"

namespace zepo::cli {

// Placeholder until the imaging library lands.
int RunReduce(const std::vector<std::string>&) {
    std::cerr << "zepocard reduce: not available in this build yet\n";
    return 2;
}

}  // namespace zepo::cli
