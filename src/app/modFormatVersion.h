#pragma once

#include <string>

namespace app {

// The running application's version, "3.02.0046".
std::wstring FormatVersion();
// The application title, one blank, the version, CR LF and the notice line.
std::wstring FormatVersionInfo();

}  // namespace app
