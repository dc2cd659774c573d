#pragma once

#include <string>
#include <system_error>

namespace model {

// An error box about the menu file that says why: `message` (the file name, two line breaks and
// the sentence), two line breaks, then the reason, the system's text for a system error or a
// sentence of ours for a refusal (a device name, a file too large); `message` alone when there
// is no reason.
void ShowMenuFileError(const std::wstring& message, std::error_code reason);

}  // namespace model
