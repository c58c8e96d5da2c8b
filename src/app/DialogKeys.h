#pragma once

class QAbstractButton;
class QKeyEvent;

// Return and Enter press a dialog's default button and Escape its cancel button, as dialog
// windows of the desktop do. True when the key was taken.
bool PressDialogButtonForKey(QKeyEvent* event, QAbstractButton* defaultButton,
                             QAbstractButton* cancelButton);
