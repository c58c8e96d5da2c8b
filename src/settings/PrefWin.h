#pragma once

#include "shared/SingleDialog.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The preferences dialog: language, activation key and default transparency. A frameless,
// translucent floating window dragged by its body, like a launcher window.
class PrefWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one that reads MyPref afresh.
    static PrefWin* instance();
    void Show();

    // Drag origin: the last press on the body, in the dialog's own coordinates.
    qint32 xx = 0;
    qint32 yy = 0;

    QGroupBox* ActivateSettingGroupbox = nullptr;
    QCheckBox* CommandCheckbox = nullptr;
    QCheckBox* OptionCheckbox = nullptr;
    QCheckBox* ShiftCheckbox = nullptr;
    QCheckBox* ControlCheckbox = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QLabel* TransparentText = nullptr;
    QComboBox* TransValuePopupMenu = nullptr;
    QGroupBox* LanguageGroupBox = nullptr;
    QRadioButton* KoreanRadioButton = nullptr;
    QRadioButton* EnglishRadioButton = nullptr;

    void OKButton_Action();
    void CancelButton_Action();
    void KoreanRadioButton_Action();
    void EnglishRadioButton_Action();
    bool _CloseMenu_Action();
    void ReadMethod();
    void SaveMethod();
    void LocalizeMethod();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class SingleDialog<PrefWin>;
    PrefWin();
    // The constructor's steps, in the order the controls are made.
    void CreateActivationKeyControls();
    void CreateButtons();
    void CreateTransparencyControls();
    void CreateLanguageControls();
    void SetTabOrder();
    void AddMenuHandlers();
    void Event_Open();
    void Event_MouseDown(int x, int y);
    void Event_MouseDrag(int x, int y);
    void updateShape();

    bool m_dragging = false;
};
