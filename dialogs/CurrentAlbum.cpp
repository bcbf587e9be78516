#include "dialogs/CurrentAlbum.h"

#include "app/Wpp.h"
#include "res/dialogs.h"

void RestartRunningShow(CWpp& app) {
    if (!app.IsShowRunning()) return;
    if (HWND main = app.MainDlg().Hwnd()) {
        SendMessageW(main, WM_COMMAND, IDC_MAIN_STOP, 0);
        SendMessageW(main, WM_COMMAND, IDC_MAIN_START, 0);
    } else {
        app.StopShow();
        app.StartShow();
    }
}
