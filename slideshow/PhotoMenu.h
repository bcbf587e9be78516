#pragma once
// The commands on one photo (hide, open its location, open, copy, favourite,
// delete) as owner-drawn menu items: the strip's menu and the tray menu's
// "This photo" both list them. Chosen, each goes to the main window as
// WM_COMMAND with its id (res/dialogs.h).

#include <windows.h>

class CBmp;
class CMenu;

// Adds the items from `position` on; the favourite item is checked when the
// photo is one and shows `star` (the caller's, null for none). Returns the
// position after the last item.
UINT AddPhotoCommands(CMenu& menu, UINT position, bool favourite, const CBmp* star);
// True for the ids AddPhotoCommands adds.
bool IsPhotoCommand(UINT id);
