#include "editor/LauncherDialogs.h"

#include "editor/CloseLauncherAlertWin.h"
#include "editor/EditorControls.h"
#include "editor/ItemListBox.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "platform/Colours.h"
#include "shared/DialogSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

void EditLauncherWin(LauncherWin& win) {
    NewLauncherWin* editor = NewLauncherWin::instance();
    editor->Show();
    editor->EditLauncherWinUID = win.LauncherWinUID;
    // A copy: Cancel leaves the window exactly as stored.
    editor->EditItemsOfMethod(win);
    editor->NameField->setText(win.LauncherWinName);
    editor->ViewNameCheckbox->setChecked(win.ViewName);
    editor->ViewTitleMenuCheckbox->setChecked(win.ViewTitleMenu);
    editor->ViewBackpanelCheckbox->setChecked(win.ViewBackPanel);
    editor->ColorRectangle->setFillColor(Integer2ColorMBS(win.WinColor));
    switch (win.IconSize) {
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
    const int index = TransparencyRowOf(win.TransparentValue);
    if (index >= 0)
        editor->TransValuePopupMenu->setCurrentIndex(index);
    editor->LoadLauncherItemListMethod();
}

void AskToCloseLauncherWin(LauncherWin& win) {
    CloseLauncherAlertWin* dialog = CloseLauncherAlertWin::instance();
    dialog->Show();
    dialog->SelfWin = &win;
    dialog->LauncherWinName = win.LauncherWinName;
    dialog->DeleteLauncherWinUID = win.LauncherWinUID;
    dialog->ItemCount = qint32(win.LauncherItemArr->size());
    dialog->DisplayInfoMethod();
}
