// The ids of the texts the user reads, kept in the string tables of resources/ShowLarkspur.rc,
// one table per language. Included by the resource script too: plain #defines only.
// Ids that share all but their last four bits are stored and loaded together.
#pragma once

// What a language is called in the "Language" setting ("ru", "en"), and its read-me file.
#define IDS_LANGUAGE_CODE 1
#define IDS_README_FILE 2

// Start-up.
#define IDS_FILE_NOT_FOUND 16
#define IDS_USAGE 17
#define IDS_UNEXPECTED_ERROR 18
#define IDS_LIBRARY_NOT_LOADED 19
#define IDS_LIBRARY_FUNCTION_MISSING 20
#define IDS_FUNCTION_ORDINAL 21

// The menu window.
#define IDS_MENU_UNTITLED 32
#define IDS_ABOUT_DEDICATION 33
#define IDS_MENU_FILE_FILTER 34

// Captions and tool tips both editors show.
#define IDS_LABEL_TITLE 48
#define IDS_BUTTON_HISTORY 49
#define IDS_TIP_HISTORY 50
#define IDS_BUTTON_CANCEL 51

// The menu editor.
#define IDS_MENU_EDITOR_CAPTION 64
#define IDS_UNTITLED_DOCUMENT 65
#define IDS_BUTTON_ADD 66
#define IDS_TIP_ADD 67
#define IDS_BUTTON_COPY 68
#define IDS_TIP_COPY 69
#define IDS_BUTTON_EDIT 70
#define IDS_TIP_EDIT 71
#define IDS_BUTTON_REMOVE 72
#define IDS_TIP_REMOVE 73
#define IDS_BUTTON_MOVE_UP 74
#define IDS_TIP_MOVE_UP 75
#define IDS_BUTTON_MOVE_DOWN 76
#define IDS_TIP_MOVE_DOWN 77
#define IDS_BUTTON_SAVE 78
#define IDS_TIP_SAVE 79

#define IDS_SAVE_FAILED 80
#define IDS_ASK_SAVE_OVER_CHANGES 81
#define IDS_ASK_SAVE_OVER_OTHER_FILE 82
#define IDS_LIMIT_REACHED 83

// The command editor.
#define IDS_COMMAND_EDITOR_CAPTION 96
#define IDS_LABEL_FILE_NAME 97
#define IDS_LABEL_OPERATION 98
#define IDS_LABEL_PARAMETERS 99
#define IDS_LABEL_DIRECTORY 100
#define IDS_LABEL_SHOW_COMMAND 101
#define IDS_BUTTON_BROWSE 102
#define IDS_TIP_BROWSE 103
#define IDS_BUTTON_OK 104
#define IDS_PROGRAM_FILTER 105
#define IDS_ALL_FILES_FILTER 106
#define IDS_FOLDER_PROMPT 107
#define IDS_TITLE_EMPTY 108
#define IDS_FILE_NAME_EMPTY 109

// The menu file, starting items, dropped files.
#define IDS_MENU_READ_FAILED 112
#define IDS_DEVICE_NAME 113
#define IDS_FILE_TOO_LARGE 114
#define IDS_OPEN_FOR_EDITING_FAILED 115
#define IDS_RUN_FAILED 116
#define IDS_SHORTCUT_UNREADABLE 117
#define IDS_SHORTCUT_WITHOUT_ADDRESS 118
#define IDS_LEFT_OUT_MORE 119
