#include "dialogs/CurrentAlbum.h"

#include "dialogs/Wpp.h"
#include "res/dialogs.h"

namespace {

void StopShow(CWpp& app) {
    if (!app.IsShowRunning()) return;
    if (HWND main = app.MainDlg().Hwnd())
        SendMessageW(main, WM_COMMAND, IDC_MAIN_STOP, 0);
    else
        app.StopShow();
}

void StartShow(CWpp& app) {
    if (HWND main = app.MainDlg().Hwnd())
        SendMessageW(main, WM_COMMAND, IDC_MAIN_START, 0);
    else
        app.StartShow();
}

}  // namespace

void FollowCurrentAlbum(CWpp& app, bool showWanted) {
    if (!showWanted) return;
    StopShow(app);
    if (!app.Photos().empty()) StartShow(app);
}

void RestartWantedShow(CWpp& app, bool showWanted) {
    if (!showWanted) return;
    StopShow(app);
    StartShow(app);
}
