#include "app/DialogSupport.h"

#include "app/GlobalModule.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

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

void PlaceControl(QWidget* control, int left, int top, int width, int height) {
    QWidget* parent = control->parentWidget();
    const QPoint origin = parent && !parent->isWindow() ? parent->pos() : QPoint();
    control->setGeometry(left - origin.x(), top - origin.y(), width, height);
}

QString Say(const char* korean, const char* english) {
    return GlobalModule::IsKorean() ? QString::fromUtf8(korean) : QString::fromUtf8(english);
}
