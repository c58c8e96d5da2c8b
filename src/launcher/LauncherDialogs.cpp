#include "app/DialogSupport.h"
#include "editor/CloseLauncherAlertWin.h"
#include "editor/EditorControls.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "platform/Plugin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

void LauncherWin::EditLauncherWinMethod() {
    NewLauncherWin* editor = NewLauncherWin::instance();
    editor->Show();
    editor->EditLauncherWinUID = LauncherWinUID;
    // The very array of this window: the list's edits reach the window at once.
    editor->SetLauncherItemArr(LauncherItemArr);
    editor->NameField->setText(LauncherWinName);
    editor->ViewNameCheckbox->setChecked(ViewName);
    editor->ViewTitleMenuCheckbox->setChecked(ViewTitleMenu);
    editor->ViewBackpanelCheckbox->setChecked(ViewBackPanel);
    editor->ColorRectangle->setFillColor(Integer2ColorMBS(WinColor));
    switch (IconSize) {
    case 32:
        editor->IconSizeRAdioButton[0]->setChecked(true);
        break;
    case 48:
        editor->IconSizeRAdioButton[1]->setChecked(true);
        break;
    case 64:
        editor->IconSizeRAdioButton[2]->setChecked(true);
        break;
    case 100:
        editor->IconSizeRAdioButton[3]->setChecked(true);
        break;
    default:
        break; // no button for other sizes: the buttons keep their state
    }
    const int index = TransparencyRowOf(TransparentValue);
    if (index >= 0)
        editor->TransValuePopupMenu->setCurrentIndex(index);
    editor->LoadLauncherItemListMethod();
}

void LauncherWin::CloseMethod() {
    CloseLauncherAlertWin* dialog = CloseLauncherAlertWin::instance();
    dialog->Show();
    dialog->SelfWin = this;
    dialog->LauncherWinName = LauncherWinName;
    dialog->DeleteLauncherWinUID = LauncherWinUID;
    dialog->ItemCount = qint32(LauncherItemArr->size());
    dialog->DisplayInfoMethod();
}
