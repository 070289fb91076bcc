#pragma once
// The subcommands of zepocard. Each returns the process exit code:
// 0 clean, 1 the card or picture has a problem, 2 usage error or unreadable input.

#include "cli/Options.h"

namespace zepo::cli {

int RunNormalize(const NormalizeOptions& options);
int RunCheck(const CheckOptions& options);
int RunReduce(const ReduceOptions& options);
int RunExport(const ExportOptions& options);
int RunRender(const RenderOptions& options);
int RunHandout(const RenderOptions& options);  // RunRender's PDF
int RunMap(const MapOptions& options);

}  // namespace zepo::cli
