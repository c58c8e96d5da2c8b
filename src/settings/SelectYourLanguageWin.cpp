#include "settings/SelectYourLanguageWin.h"

#include "app/GlobalModule.h"

#include <QPointer>

SelectYourLanguageWin* SelectYourLanguageWin::instance() {
    static QPointer<SelectYourLanguageWin> open;
    if (!open)
        open = new SelectYourLanguageWin; // deletes itself when closed
    return open;
}

SelectYourLanguageWin::SelectYourLanguageWin() { setAttribute(Qt::WA_DeleteOnClose); }

void SelectYourLanguageWin::Show() { GlobalModule::ShowInFront(this); }
