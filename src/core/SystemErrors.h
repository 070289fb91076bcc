#pragma once
// The reasons the system gives for a failed file operation, said in Japanese. Every message
// that names a file and why it could not be read or written takes its reason from here, so the
// user reads one wording for one cause wherever it shows.

#include <string>
#include <system_error>

namespace zepo {

// The reason for the error number `error` (errno), UTF-8, one sentence without a full stop.
std::string ReasonOfError(int error);
std::string ReasonOfError(const std::error_code& error);

// Why `file` cannot be read as a plain file (UTF-8), or empty when it can be opened.
std::string WhyUnreadable(const std::string& file);

}  // namespace zepo
