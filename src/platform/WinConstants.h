#pragma once

// The Win32 values the portable code speaks in, so that it builds without <windows.h>.
namespace platform {

// Message box styles and answers.
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbOkCancel = 0x1;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconError = 0x10;
constexpr unsigned kMbIconWarning = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr unsigned kMbDefButton2 = 0x100;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Virtual-key codes.
namespace vk {
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12;  // Alt
constexpr int Escape = 0x1B;
constexpr int Tab = 0x09;
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Up = 0x26;
constexpr int Down = 0x28;
constexpr int A = 0x41;
constexpr int C = 0x43;
constexpr int E = 0x45;
constexpr int R = 0x52;
constexpr int V = 0x56;
constexpr int F1 = 0x70;
constexpr int F3 = 0x72;
constexpr int F4 = 0x73;
constexpr int F5 = 0x74;
}  // namespace vk

// Modifier mask of a key event: Shift 1, Ctrl 2, Alt 4.
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

// System error codes the portable code tells apart.
constexpr unsigned kErrorCancelled = 1223;  // ERROR_CANCELLED: the user declined, e.g. elevation
constexpr unsigned kErrorFileNameTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE

// Show commands handed to the shell.
constexpr int kSwShowNormal = 1;
constexpr int kSwShowMaximized = 3;
constexpr int kSwShowDefault = 10;

}  // namespace platform
