#pragma once

#include "store/Globals.h"

#include <QString>

class QWidget;

namespace GlobalModule {

// Asks that the window shown next by ShowInFront comes to the front with the keyboard,
// even over the application the person was typing in. Never starts a second process.
void BringMeFront();
// Shows a dialog, raised above the others, un-minimised; activates it when asked or when it
// takes focus. Every single-instance dialog is shown through it.
void ShowInFront(QWidget* window);

// What only start-up can do, asked for by the layers below it: each is a request of the
// application context (AppContext's signals), which start-up connects.
// Ends the event loop with an exit status (Quit, the language dialog's Cancel); without a
// context, the event loop ends at once.
void Quit(int status);
// The editor, the preferences dialog and the about box answer Close Window.
void AddCloseMenuHandler(QWidget* window);
// Builds the launcher windows from the database (the language dialog's OK).
void LoadLauncherWindows();

} // namespace GlobalModule
