#pragma once

#include <QWidget>

// (placeholder until the dialog is built)
class AboutWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one.
    static AboutWin* instance();
    void Show();

private:
    AboutWin();
};
