#pragma once
// The folder tools of the photos page in the album and settings dialogs:
// "Add folder" (once, or followed from now on) and the line naming a
// followed folder and the state it is in. The folder is listed on a worker;
// its listing comes back to the dialog as kMessage.

#include <windows.h>

#include "album/FolderWatch.h"
#include "dialogs/HeldAccept.h"
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
    // Lists the album's followed folder once, to learn its state (offline,
    // not found, empty); its answer is a kMessage as well.
    void LookAtFollowed(HWND dialog, const CWppProfile& album);
    // The dialog ends: a listing still under way is dropped.
    void Cancel() {
        m_scan.Stop();
        m_look.Stop();
        m_listing = false;
        m_accept.Drop();
    }

    // "In step with <folder>" (and its sub-folders), after the folder's
    // state when it is not simply fine; empty when the album follows no folder.
    tstr Text(const CWppProfile& album) const;
    // Text begins with the folder's state.
    bool HasState() const { return m_state != 0; }

    // OK while the folder is still listed: true when the dialog must wait
    // for the listing (the wait cursor shows meanwhile; Cancel still ends it).
    bool HoldAccept() { return m_accept.Hold(m_listing); }
    // True, once, when the listing OK waited for has been dealt with.
    bool AcceptWhenListed() { return m_accept.Release(m_listing); }
    // WM_SETCURSOR: the wait cursor while OK waits. True when it was set.
    bool SetWaitCursor() const { return m_accept.SetWaitCursor(); }

private:
    CFolderWatch m_scan;
    CFolderWatch m_look;
    bool m_follow = false;
    UINT m_state = 0;  // string id; 0: fine or not known yet
    bool m_listing = false;
    CHeldAccept m_accept;
};
