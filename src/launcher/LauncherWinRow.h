#pragma once

struct LauncherWinRow;
class LauncherWin;

// Fills a window's settings from its row: number, name, icon size, what it shows, title
// size, transparency and colour. Its place and width are the caller's: loading checks them
// against the screens, a new window takes the editor's.
void FillFromRow(LauncherWin& win, const LauncherWinRow& row);
