#pragma once

#include "shared/SingleDialog.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class LauncherWin;
class PictureCanvas;
class QLabel;
class QPushButton;

// Asks before a launcher window is deleted; Delete removes its rows and the window.
class CloseLauncherAlertWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one (its Open event has run when this returns).
    static CloseLauncherAlertWin* instance();
    // The open instance, or null.
    static CloseLauncherAlertWin* openInstance();
    void Show();

    qint64 DeleteLauncherWinUID = 0;
    QString LauncherWinName;
    qint32 ItemCount = 0;
    QPointer<LauncherWin> SelfWin; // not owned

    PictureCanvas* Canvas1 = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QLabel* InfoText = nullptr;
    QLabel* CountText = nullptr;

    void DeleteButton_Action();
    void CancelButton_Action();
    void DisplayInfoMethod();
    void DeleteMethod();
    void LocalizeMethod();

    // The question and the count as the dialog words them (a CR breaks the line).
    QString InfoTextValue() const { return m_info; }
    QString CountTextValue() const { return m_count; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class SingleDialog<CloseLauncherAlertWin>;
    CloseLauncherAlertWin();
    void Event_Open();
    void FitTextsMethod();

    QString m_info;
    QString m_count;
};
