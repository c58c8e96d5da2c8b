#include "store/Globals.h"

#include "platform/Database.h"
#include "platform/Desktop.h"
#include "store/PrefClass.h"

namespace GlobalModule {

std::unique_ptr<Database> GlobalDB;
std::unique_ptr<PrefClass> MyPref;

bool IsKorean() {
    return MyPref && MyPref->Language.compare(QLatin1String("korean"), Qt::CaseInsensitive) == 0;
}

void MsgBox(const QString& text, std::function<void()> dismissed) {
    Desktop::instance().messageBox(text, std::move(dismissed));
}

} // namespace GlobalModule
