#include "shared/DialogSupport.h"

#include "platform/Framework.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <iterator>

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

QPushButton* DialogButton(QWidget* dialog, const QString& caption, const QString& objectName,
                          const QRect& place) {
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(objectName);
    button->setFont(PixelFont(12));
    PlaceControl(button, place.left(), place.top(), place.width(), place.height());
    return button;
}

namespace {
constexpr int kTransparencySteps[] = {80, 70, 60, 50, 40, 30, 20, 10, 0};
}

QStringList TransparencyRows() {
    QStringList rows;
    for (int value : kTransparencySteps)
        rows << (value == 0 ? QStringLiteral(" 0 %") : QStringLiteral("%1%").arg(value));
    return rows;
}

int TransparencyRowOf(int transparentValue) {
    for (int row = 0; row < int(std::size(kTransparencySteps)); ++row)
        if (kTransparencySteps[row] == transparentValue)
            return row;
    return -1;
}

void DeleteOpenDialogs() {
    QList<QPointer<QWidget>> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->testAttribute(Qt::WA_DeleteOnClose))
            open << w;
    for (const QPointer<QWidget>& w : open)
        delete w.data();
}
