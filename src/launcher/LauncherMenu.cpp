#include "launcher/LauncherHooks.h"
#include "launcher/LauncherWin.h"
#include "platform/Framework.h"
#include "settings/PrefWin.h"
#include "shared/GlobalModule.h"
#include "store/LauncherRows.h"

#include <QMenu>

namespace {

struct Entry {
    const char* english;
    const char* korean;
};

// Captions are behaviour: the dispatch below matches them in either language.
constexpr Entry kNew{"New Launcher Window", "신규 런쳐윈도우 생성"};
constexpr Entry kAdd{"Add New Item", "아이템 추가"};
constexpr Entry kLaunch{"Launch", "실행하기"};
constexpr Entry kReveal{"Reveal in Finder", "파인더에서 보기"};
constexpr Entry kViewTitle{"View Title&Menu", "제목&메뉴 아이콘 보기"};
constexpr Entry kViewName{"View Item Name", "아이템 이름 보기"};
constexpr Entry kViewPanel{"View BackPanel", "투명 배경 화면 보기"};
constexpr Entry kHideTitle{"Hide Title&Menu", "제목&메뉴 아이콘 숨기기"};
constexpr Entry kHideName{"Hide Item Name", "아이템 이름 숨기기"};
constexpr Entry kHidePanel{"Hide BackPanel", "투명 배경 화면 숨기기"};
constexpr Entry kRemove{"Remove Item", "아이템 삭제"};
constexpr Entry kEdit{"Edit Launcher Window", "런쳐윈도우 설정 변경"};
constexpr Entry kPrefs{"Preferences", "환경설정"};
constexpr Entry kWider{"Increase Window Width", "사이즈 늘리기"};
constexpr Entry kNarrower{"Decrease Window Width", "사이즈 줄이기"};
constexpr Entry kClose{"Close", "닫      기"};
constexpr Entry kSeparator{"-", "-"};

bool matches(const QString& caption, const Entry& e) {
    return TextEquals(caption, QString::fromUtf8(e.english)) ||
           TextEquals(caption, QString::fromUtf8(e.korean));
}

} // namespace

namespace LauncherHooks {
std::function<void()> NewLauncherWin;
std::function<void(LauncherWin&)> EditLauncherWin;
std::function<void(LauncherWin&)> CloseLauncherWin;
} // namespace LauncherHooks

void LauncherWin::EditLauncherWinMethod() {
    if (LauncherHooks::EditLauncherWin)
        LauncherHooks::EditLauncherWin(*this);
}

void LauncherWin::CloseMethod() {
    if (LauncherHooks::CloseLauncherWin)
        LauncherHooks::CloseLauncherWin(*this);
}

QStringList LauncherWin::ContextualMenuCaptions() const {
    const bool korean = GlobalModule::IsKorean();
    const Entry& title = ViewTitleMenu ? kHideTitle : kViewTitle;
    const Entry& names = ViewName ? kHideName : kViewName;
    const Entry& panel = ViewBackPanel ? kHidePanel : kViewPanel;
    // The two languages order the middle of the menu differently.
    const std::initializer_list<const Entry*> english = {
        &kNew,    &kSeparator, &kAdd,  &kSeparator, &kLaunch, &kReveal,    &kSeparator,
        &title,   &names,      &panel, &kSeparator, &kWider,  &kNarrower,  &kSeparator,
        &kRemove, &kSeparator, &kEdit, &kSeparator, &kPrefs,  &kSeparator, &kClose};
    const std::initializer_list<const Entry*> korean_ = {
        &kNew,      &kSeparator, &kAdd,    &kSeparator, &kLaunch, &kReveal,    &kSeparator,
        &title,     &names,      &panel,   &kSeparator, &kEdit,   &kSeparator, &kWider,
        &kNarrower, &kSeparator, &kRemove, &kSeparator, &kPrefs,  &kSeparator, &kClose};
    QStringList out;
    for (const Entry* e : korean ? korean_ : english)
        out << QString::fromUtf8(korean ? e->korean : e->english);
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
    if (matches(caption, kNew)) {
        GlobalModule::BringMeFront();
        if (LauncherHooks::NewLauncherWin)
            LauncherHooks::NewLauncherWin();
    } else if (matches(caption, kAdd)) {
        AddItemMethod();
    } else if (matches(caption, kLaunch)) {
        // Left unbound in the menu's design; it runs the click's launch path.
        LaunchItemMethod(CurrSelAppIndex);
    } else if (matches(caption, kReveal)) {
        RevealInFinderMethod();
    } else if (matches(caption, kViewTitle)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewTitleMenu, true);
    } else if (matches(caption, kViewName)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewName, true);
    } else if (matches(caption, kViewPanel)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewBackPanel, true);
    } else if (matches(caption, kHideTitle)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewTitleMenu, false);
    } else if (matches(caption, kHideName)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewName, false);
    } else if (matches(caption, kHidePanel)) {
        UPdateViewInfoMethod(LauncherWinColumn::ViewBackPanel, false);
    } else if (matches(caption, kRemove)) {
        RemoveItemMethod();
    } else if (matches(caption, kEdit)) {
        EditLauncherWinMethod();
    } else if (matches(caption, kPrefs)) {
        PrefWin::instance()->Show();
    } else if (matches(caption, kWider)) {
        ResizePlusMinusWinMethod(ResizeDirection::Plus);
    } else if (matches(caption, kNarrower)) {
        ResizePlusMinusWinMethod(ResizeDirection::Minus);
    } else if (matches(caption, kClose)) {
        CloseMethod();
    }
    return true;
}
