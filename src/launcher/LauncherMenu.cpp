#include "launcher/LauncherWin.h"
#include "platform/Framework.h"
#include "settings/PrefWin.h"
#include "shared/Captions.h"
#include "shared/GlobalModule.h"
#include "store/LauncherRows.h"

#include <QMenu>

namespace {

// Captions are behaviour: the dispatch below matches them in either language.
constexpr Caption kNew{"New Launcher Window", "신규 런쳐윈도우 생성"};
constexpr const Caption& kAdd = CommonCaptions::AddNewItem;
constexpr Caption kLaunch{"Launch", "실행하기"};
constexpr const Caption& kReveal = CommonCaptions::RevealInFinder;
constexpr Caption kViewTitle{"View Title&Menu", "제목&메뉴 아이콘 보기"};
constexpr const Caption& kViewName = CommonCaptions::ViewItemName;
constexpr const Caption& kViewPanel = CommonCaptions::ViewBackPanel;
constexpr Caption kHideTitle{"Hide Title&Menu", "제목&메뉴 아이콘 숨기기"};
constexpr Caption kHideName{"Hide Item Name", "아이템 이름 숨기기"};
constexpr Caption kHidePanel{"Hide BackPanel", "투명 배경 화면 숨기기"};
constexpr const Caption& kRemove = CommonCaptions::RemoveItem;
constexpr Caption kEdit{"Edit Launcher Window", "런쳐윈도우 설정 변경"};
constexpr Caption kPrefs{"Preferences", "환경설정"};
constexpr Caption kWider{"Increase Window Width", "사이즈 늘리기"};
constexpr Caption kNarrower{"Decrease Window Width", "사이즈 줄이기"};
constexpr Caption kClose{"Close", "닫      기"};
constexpr Caption kSeparator{"-", "-"};

} // namespace

void LauncherWin::EditLauncherWinMethod() {
    Q_EMIT editRequested();
}

void LauncherWin::CloseMethod() {
    Q_EMIT closeRequested();
}

QStringList LauncherWin::ContextualMenuCaptions() const {
    const bool korean = GlobalModule::IsKorean();
    const Caption& title = ViewTitleMenu ? kHideTitle : kViewTitle;
    const Caption& names = ViewName ? kHideName : kViewName;
    const Caption& panel = ViewBackPanel ? kHidePanel : kViewPanel;
    // The two languages order the middle of the menu differently.
    const std::initializer_list<const Caption*> english = {
        &kNew,    &kSeparator, &kAdd,  &kSeparator, &kLaunch, &kReveal,    &kSeparator,
        &title,   &names,      &panel, &kSeparator, &kWider,  &kNarrower,  &kSeparator,
        &kRemove, &kSeparator, &kEdit, &kSeparator, &kPrefs,  &kSeparator, &kClose};
    const std::initializer_list<const Caption*> korean_ = {
        &kNew,      &kSeparator, &kAdd,    &kSeparator, &kLaunch, &kReveal,    &kSeparator,
        &title,     &names,      &panel,   &kSeparator, &kEdit,   &kSeparator, &kWider,
        &kNarrower, &kSeparator, &kRemove, &kSeparator, &kPrefs,  &kSeparator, &kClose};
    QStringList out;
    for (const Caption* c : korean ? korean_ : english)
        out << c->text();
    return out;
}

void LauncherWin::Event_ConstructContextualMenu(QMenu* base) {
    for (const QString& caption : ContextualMenuCaptions()) {
        if (caption == QLatin1String("-"))
            base->addSeparator();
        else
            // "&" is part of the caption, not an access key.
            base->addAction(QString(caption).replace(QLatin1Char('&'), QLatin1String("&&")))
                ->setData(caption);
    }
}

bool LauncherWin::Event_ContextualMenuAction(const QString& caption) {
    if (kNew.matches(caption)) {
        GlobalModule::BringMeFront();
        Q_EMIT newWindowRequested();
    } else if (kAdd.matches(caption)) {
        AddItemMethod();
    } else if (kLaunch.matches(caption)) {
        // The same launch as a click on the selected item.
        LaunchItemMethod(CurrSelAppIndex);
    } else if (kReveal.matches(caption)) {
        RevealInFinderMethod();
    } else if (kViewTitle.matches(caption)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewTitleMenu, true);
    } else if (kViewName.matches(caption)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewName, true);
    } else if (kViewPanel.matches(caption)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewBackPanel, true);
    } else if (kHideTitle.matches(caption)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewTitleMenu, false);
    } else if (kHideName.matches(caption)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewName, false);
    } else if (kHidePanel.matches(caption)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewBackPanel, false);
    } else if (kRemove.matches(caption)) {
        RemoveItemMethod();
    } else if (kEdit.matches(caption)) {
        EditLauncherWinMethod();
    } else if (kPrefs.matches(caption)) {
        PrefWin::instance()->Show();
    } else if (kWider.matches(caption)) {
        ResizePlusMinusWinMethod(ResizeDirection::Plus);
    } else if (kNarrower.matches(caption)) {
        ResizePlusMinusWinMethod(ResizeDirection::Minus);
    } else if (kClose.matches(caption)) {
        CloseMethod();
    }
    return true;
}
