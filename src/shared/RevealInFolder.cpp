#include "shared/RevealInFolder.h"

#include "platform/Desktop.h"
#include "platform/FolderItem.h"
#include "shared/Captions.h"
#include "store/Globals.h"

namespace {
constexpr Caption kCannotOpen{"The folder \"%1\" could not be opened.\n%2",
                              "\"%1\" 폴더를 열 수 없습니다.\n%2"};
} // namespace

void RevealInFolder(const FolderItem& item) {
    if (item.isNull() || !item.Exists())
        return;
    const FolderItem parent = item.Parent();
    if (parent.isNull())
        return;
    const LaunchResult r = parent.Launch(true);
    if (!r.ok)
        GlobalModule::MsgBox(kCannotOpen.text().arg(parent.AbsolutePath(), r.error));
}
