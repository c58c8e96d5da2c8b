#pragma once

#include <QWidget>

// (placeholder until the dialog is built)
class CloseLauncherAlertWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one.
    static CloseLauncherAlertWin* instance();
    void Show();

private:
    CloseLauncherAlertWin();
};
