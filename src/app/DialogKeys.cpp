#include "app/DialogKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>

bool PressDialogButtonForKey(QKeyEvent* event, QAbstractButton* defaultButton,
                             QAbstractButton* cancelButton) {
    // Ctrl+Return and the like are somebody else's shortcuts.
    if (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!defaultButton)
            return false;
        defaultButton->click();
        return true;
    case Qt::Key_Escape:
        if (!cancelButton)
            return false;
        cancelButton->click();
        return true;
    default:
        return false;
    }
}
