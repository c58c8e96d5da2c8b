#pragma once

#include <QWidget>

// (placeholder until the dialog is built)
class PrefWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one.
    static PrefWin* instance();
    void Show();

private:
    PrefWin();
};
