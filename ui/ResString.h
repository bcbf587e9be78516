#pragma once
// String-table texts and the message boxes that show them.

#include <windows.h>

#include "settings/Tstr.h"

// Captions of message boxes, string-table ids.
enum MessageCaption : UINT {
    kCaptionQuestion = 117,
    kCaptionWarning = 118,
    kCaptionError = 119,
    kCaptionConfirmation = 120,
};

// Loads through a buffer of 1023 characters (longer texts are cut); an id
// without text gives an empty string. module null: the program.
tstr LoadResString(HINSTANCE module, UINT id);

// MessageBoxW with the caption from the string table; returns its result.
int ShowMessage(HWND owner, UINT textId, MessageCaption caption, UINT type);
int ShowMessage(HWND owner, const wchar_t* text, MessageCaption caption, UINT type);
