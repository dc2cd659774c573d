#include "platform/texts/Texts.h"

namespace platform {

std::wstring UserInterfaceLanguage() { return L""; }

}  // namespace platform
