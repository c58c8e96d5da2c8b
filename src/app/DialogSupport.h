#pragma once

#include <QString>

class QAbstractButton;
class QKeyEvent;
class QWidget;

// Return and Enter press a dialog's default button and Escape its cancel button, as dialog
// windows of the desktop do. True when the key was taken.
bool PressDialogButtonForKey(QKeyEvent* event, QAbstractButton* defaultButton,
                             QAbstractButton* cancelButton);

// Places a control at a rectangle given in its window's coordinates, also inside a group box.
void PlaceControl(QWidget* control, int left, int top, int width, int height);

// The Korean text when the interface speaks Korean, else the English one.
QString Say(const char* korean, const char* english);
