#pragma once
// What the settings dialog does to the application's current album beyond
// editing it: restarting its show and reloading it from the store.

class CWpp;

// Stops and starts the show again when it runs; an idle show stays idle.
// Through the main window, so that its start/stop button stays in step.
void RestartRunningShow(CWpp& app);

// Makes the application object the stored current album again ("Profile",
// else "Default"): name, "*prof*", photo entries, then one Load. No window,
// tray or first-run work.
void ReloadCurrentAlbum(CWpp& app);
