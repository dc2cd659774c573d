#include "model/MenuFileMessages.h"

#include <cstdint>

#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/WinConstants.h"
#include "platform/components/CErrorBox.h"
#include "platform/files/FileRefusals.h"
#include "platform/support/IniAccess.h"
#include "platform/text/NumberText.h"
#include "platform/texts/Texts.h"

namespace model {
namespace {

namespace files = platform::files;

// Our sentence for a refusal of the file layer; empty for a system error.
std::wstring RefusalText(std::error_code reason) {
    if (files::IsRefusal(reason, files::FileRefusal::DeviceName)) {
        return platform::Text(IDS_DEVICE_NAME);
    }
    if (files::IsRefusal(reason, files::FileRefusal::TooLarge)) {
        return platform::Text(IDS_FILE_TOO_LARGE,
                              {platform::text::Decimal(platform::kLargestIniFile >> 20)});
    }
    return L"";
}

}  // namespace

void ShowMenuFileError(const std::wstring& message, std::error_code reason) {
    constexpr unsigned kStyle = platform::kMbIconError | platform::kMbOk;
    if (!reason) {
        platform::MsgBox(message, kStyle);
    } else if (const std::wstring refusal = RefusalText(reason); !refusal.empty()) {
        platform::MsgBox(message + L"\r\n\r\n" + refusal, kStyle);
    } else {
        platform::ErrorBox().ShowSystemError(static_cast<std::uint32_t>(reason.value()), kStyle, 0,
                                             message, 0, platform::Env().windows.ActiveWindow());
    }
}

}  // namespace model
