#pragma once
// The folder tools of the photos page in the album and settings dialogs:
// "Add folder" (once, or followed from now on) and the line naming a
// followed folder. The folder is listed on a worker; its listing comes back
// to the dialog as kMessage.

#include <windows.h>

#include "album/FolderWatch.h"
#include "settings/Tstr.h"

class CWppProfile;

class CFolderLink {
public:
    static constexpr UINT kMessage = WM_APP + 2;

    // Asks for the folder (owned by `dialog`) and starts listing it. With
    // "keep in step" the album follows the folder at once. False when the
    // user cancelled.
    bool AddFolder(HWND dialog, CWppProfile& album);
    // The worker's message: the pictures are added to the album, or become
    // its list when it follows the folder. True when the photo list changed.
    bool OnListing(CWppProfile& album, WPARAM serial);
    // The dialog ends: a listing still under way is dropped.
    void Cancel() {
        m_scan.Stop();
        m_listing = m_acceptHeld = false;
    }

    // OK while the folder is still listed: true when the dialog must wait
    // for the listing (the wait cursor shows meanwhile; Cancel still ends it).
    bool HoldAccept() { return m_acceptHeld = m_listing; }
    // True, once, when the listing OK waited for has been dealt with.
    bool AcceptWhenListed();
    // WM_SETCURSOR: the wait cursor while OK waits. True when it was set.
    bool SetWaitCursor() const;

private:
    CFolderWatch m_scan;
    bool m_follow = false;
    bool m_listing = false;
    bool m_acceptHeld = false;
};

// "In step with <folder>" (and its sub-folders); empty when the album
// follows no folder.
tstr FolderLinkText(const CWppProfile& album);
