#pragma once
// What the settings dialog does to the application's show beyond editing
// its album.

class CWpp;

// Stops and starts the show again when it runs; an idle show stays idle.
// Through the main window, so that its start/stop button stays in step.
void RestartRunningShow(CWpp& app);
