#pragma once
// Standard output is where check's findings, normalize's card and reduce's summary go; a
// script reading them must not take a cut-off output (a full disk, a closed pipe) for all.

namespace zepo::cli {

// Flushes standard output: `code` when everything written arrived, else 2 with a message on
// standard error. Every command ends through it.
int FinishStandardOutput(int code);

}  // namespace zepo::cli
