#pragma once

#include <QWidget>

// (placeholder until the dialog is built)
class NewLauncherWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one.
    static NewLauncherWin* instance();
    void Show();

private:
    NewLauncherWin();
};
