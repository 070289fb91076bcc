#pragma once
// The subcommands of zepocard. Each returns the process exit code:
// 0 clean, 1 the card or picture has a problem, 2 usage error or unreadable input.

#include <string>
#include <vector>

namespace zepo::cli {

int RunNormalize(const std::vector<std::string>& args);
int RunCheck(const std::vector<std::string>& args);
int RunReduce(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunRender(const std::vector<std::string>& args);

}  // namespace zepo::cli
