#include "platform/files/FileRefusals.h"

#include <string>

namespace platform::files {
namespace {

class RefusalCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "file refusal"; }
    std::string message(int value) const override {
        switch (static_cast<FileRefusal>(value)) {
            case FileRefusal::DeviceName: return "a device name, not a file";
            case FileRefusal::TooLarge: return "the file is too large";
        }
        return "refused";
    }
};

const RefusalCategory& Category() {
    static const RefusalCategory category;
    return category;
}

}  // namespace

std::error_code MakeError(FileRefusal refusal) {
    return {static_cast<int>(refusal), Category()};
}

bool IsRefusal(std::error_code error, FileRefusal refusal) { return error == MakeError(refusal); }

}  // namespace platform::files
