#include "platform/Transparency.h"

#include <QWidget>

void MakeTransparentMBS(QWidget* window) {
    if (window)
        window->setAttribute(Qt::WA_TranslucentBackground);
}

bool SetTransparencyMBS(QWidget* window, int value) {
    if (!window)
        return false;
    window->setWindowOpacity(1.0 - qBound(0, value, 100) / 100.0);
    return true;
}
