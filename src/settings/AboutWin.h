#pragma once

#include "shared/SingleDialog.h"

#include <QWidget>

class QLabel;
class QPushButton;

// The about box: the product picture, name and version, and a link to the author's page
// when there is one (there is none: no link is shown).
// Return and Escape leave it open; Close, Close Window and the close box close it.
class AboutWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one.
    static AboutWin* instance();
    void Show();

    // The author's page, shown by the link and opened by a press on it; empty: no link.
    static QString authorPage();

    QLabel* MainImageCanvas = nullptr;
    QLabel* VersionInfoText = nullptr;
    QLabel* StaticText4 = nullptr;
    QPushButton* CancelButton = nullptr;

    void CancelButton_Action();
    bool StaticText4_MouseDown(int x, int y);
    bool _CloseMenu_Action();
    void LocalizeMethod();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class SingleDialog<AboutWin>;
    AboutWin();
    void AddMenuHandlers();
    void Event_Open();
};
