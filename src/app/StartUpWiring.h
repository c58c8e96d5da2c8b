#pragma once

class LauncherApp;
class LauncherWin;

// Connects what the layers below start-up ask of the application context to what answers
// it: the language dialog's load to the windows' loader, and every window that joins
// LauncherWinArr to the editor and the delete dialog. Once per context, before any window
// opens; Quit and Close Window are the application object's (App).
void WireStartUp(LauncherApp& context);
// The editor for "New Launcher Window" and "Edit Launcher Window", the delete dialog for
// "Close" of one window.
void ConnectLauncherWinRequests(LauncherWin& win);
