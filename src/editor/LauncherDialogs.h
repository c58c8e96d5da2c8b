#pragma once

class LauncherWin;

// The dialogs a launcher window's contextual menu opens on itself; start-up connects them
// to the window's requests.
// The editor, filled from the window, editing a copy of its items.
void EditLauncherWin(LauncherWin& win);
// The delete dialog, asking about the window.
void AskToCloseLauncherWin(LauncherWin& win);
