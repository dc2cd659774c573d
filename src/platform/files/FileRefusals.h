#pragma once

#include <system_error>

// Reasons of our own for not reading or writing a file, where the system has no error code that
// says it; they travel in the same std::error_code as the system's errors.
namespace platform::files {

enum class FileRefusal {
    DeviceName = 1,  // NUL, CON, COM1, LPT1 ... name a device, not a file
    TooLarge,        // the file is larger than the reader accepts
};

std::error_code MakeError(FileRefusal refusal);

// True when the error is one of these refusals rather than a system error.
bool IsRefusal(std::error_code error, FileRefusal refusal);

}  // namespace platform::files
