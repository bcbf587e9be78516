#pragma once
// Dialog tests: real dialogs from the program's templates on the test
// display, the real (Wine) registry from a deleted Software\Arvendal tree,
// and real picture files in a temporary folder. Message boxes and the
// open-file dialog are answered from a timer on the test's own thread, by a
// deadline.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "album/WppProfile.h"
#include "tests/album/AlbumTest.h"
#include "tests/support/BoxWatch.h"
#include "tests/support/Deadline.h"
#include "tests/support/BmpFile.h"
#include "tests/support/TempFolder.h"
#include "ui/NavPaneWnd.h"

class DialogTest : public AlbumTest {
protected:
    static void SetUpTestSuite();
    void SetUp() override;

    // The next dialog box of this thread that `step` is given: it returns
    // true once it has dealt with the box. Runs from a timer while a modal
    // loop waits; `what` names the box for the failure when it does not come.
    static void OnNextBox(const std::string& what, std::function<bool(HWND box)> step) {
        CBoxWatch::OnNextBox(what, std::move(step));
    }
    // Presses `button` on the next message box and records its text.
    static void AnswerMessageBox(int button, std::wstring* text = nullptr);
    // True while an answer is still waiting for its box.
    static bool AnswerPending() { return CBoxWatch::Pending(); }

    // A 24-bit BMP of w x h in one colour; returns its path.
    std::wstring Picture(const wchar_t* name, int w = 8, int h = 6);
    const std::wstring& Folder() const { return m_folder.Path(); }

    // Shown by its own style (the dialogs under test are not on screen).
    static bool Shown(HWND window) { return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE); }
    // The program's pane control of a dialog.
    static CNavPaneWnd* Pane(HWND dialog, int id);
    static CNavPaneItem* ItemWithId(CNavPaneWnd& pane, int id);
    static CNavPaneItem* ItemWithText(CNavPaneWnd& pane, const std::wstring& text);
    static std::vector<CNavPaneItem*> Rows(CNavPaneWnd& pane);

    // Saves the Slides of an album with the given photo paths.
    void StoreAlbum(const std::wstring& name, const std::vector<std::wstring>& photos);

    // Names of the paths of an album in order, file names only.
    static std::vector<std::wstring> FileNames(const CWppProfile& album);

private:
    CBoxWatch m_boxes;
    TempFolder m_folder;
};
