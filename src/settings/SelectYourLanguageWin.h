#pragma once

#include <QWidget>

// (placeholder until the dialog is built)
class SelectYourLanguageWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one.
    static SelectYourLanguageWin* instance();
    void Show();

private:
    SelectYourLanguageWin();
};
