#pragma once

#include <QString>
#include <QStringList>

class QAbstractButton;
class QKeyEvent;
class QWidget;

// Return and Enter press a dialog's default button and Escape its cancel button, as dialog
// windows of the desktop do. True when the key was taken.
bool PressDialogButtonForKey(QKeyEvent* event, QAbstractButton* defaultButton,
                             QAbstractButton* cancelButton);

// Places a control at a rectangle given in its window's coordinates, also inside a group box.
void PlaceControl(QWidget* control, int left, int top, int width, int height);

// The rows of the transparency pop-ups, "80%" down to " 0 %", and the row of a
// transparency (-1 for a value between the steps).
QStringList TransparencyRows();
int TransparencyRowOf(int transparentValue);

// Deletes the dialogs still open: every top-level window that goes when it is closed.
void DeleteOpenDialogs();
