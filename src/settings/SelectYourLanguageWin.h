#pragma once

#include "shared/SingleDialog.h"

#include <QWidget>

class QGroupBox;
class QPushButton;
class QRadioButton;

// The first-run question: Korean or English. OK saves the choice and loads the launcher
// windows; Cancel quits so that the next start asks again.
class SelectYourLanguageWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one.
    static SelectYourLanguageWin* instance();
    void Show();

    QGroupBox* LanguageGroupBox = nullptr;
    QRadioButton* KoreanRadioButton = nullptr;
    QRadioButton* EnglishRadioButton = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void KoreanRadioButton_Action();
    void EnglishRadioButton_Action();
    void OKButton_Action();
    void CancelButton_Action();
    void LocalizeMethod();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class SingleDialog<SelectYourLanguageWin>;
    SelectYourLanguageWin();
    void AddMenuHandlers() {} // Close Window does not close this one
    // OK's steps once the thanks are dismissed: save, sound, load, close.
    void FinishChoiceMethod();

    bool m_choosing = false;
};
