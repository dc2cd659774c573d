#pragma once

namespace platform::text {

// The legacy ANSI code page of the user's locale (LOCALE_IDEFAULTANSICODEPAGE), which holds
// when the system's own ANSI code page is UTF-8; 0 when the locale has none.
unsigned UserLocaleAnsiCodePage();

}  // namespace platform::text
