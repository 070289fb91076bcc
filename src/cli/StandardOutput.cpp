#include "cli/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace zepo::cli {

int FinishStandardOutput(int code) {
    std::cout.flush();
    errno = 0;
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) || !std::cout;
    if (!failed) return code;
    std::cerr << "zepocard: 標準出力に書けません";
    if (errno != 0) std::cerr << ": " << std::strerror(errno);
    std::cerr << "\n";
    return 2;
}

}  // namespace zepo::cli
