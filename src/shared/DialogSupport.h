#pragma once

#include <QString>
#include <QStringList>

class QAbstractButton;
class QKeyEvent;
class QPushButton;
class QRect;
class QWidget;

// Return and Enter press a dialog's default button and Escape its cancel button, as dialog
// windows of the desktop do. True when the key was taken.
bool PressDialogButtonForKey(QKeyEvent* event, QAbstractButton* defaultButton,
                             QAbstractButton* cancelButton);

// Places a control at a rectangle given in its window's coordinates, also inside a group box.
void PlaceControl(QWidget* control, int left, int top, int width, int height);

// A dialog's push button: its English caption (LocalizeMethod may change it), its object
// name and the 12-pixel font, placed as PlaceControl places it.
QPushButton* DialogButton(QWidget* dialog, const QString& caption, const QString& objectName,
                          const QRect& place);

// The rows of the transparency pop-ups, "80%" down to " 0 %", and the row of a
// transparency (-1 for a value between the steps).
QStringList TransparencyRows();
int TransparencyRowOf(int transparentValue);

// Deletes the dialogs still open: every top-level window that goes when it is closed.
void DeleteOpenDialogs();
