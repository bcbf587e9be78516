#pragma once
// What the settings dialog does to the application's show beyond editing
// its album. Both go through the main window, when there is one, so that its
// start/stop button stays in step. `showWanted`: the show ran as the dialog
// opened; an idle show stays idle.

class CWpp;

// While the dialog is open the show follows the current album. An album
// without photos stops it for now without a message: the user is about to
// add some, and OK starts it again.
void FollowCurrentAlbum(CWpp& app, bool showWanted);

// On OK and Cancel: stopped and started again, which reports an album that
// is still empty.
void RestartWantedShow(CWpp& app, bool showWanted);
