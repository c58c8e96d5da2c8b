#pragma once

#include <QString>

// A caption or message of the interface in its two languages. Each dialog and menu keeps
// its own table of them; its LocalizeMethod sets every caption from the table.
struct Caption {
    const char* english;
    const char* korean;

    // In the interface's language.
    QString text() const;
    QString English() const { return QString::fromUtf8(english); }
    // The caption in either language (menus dispatch on what was chosen).
    bool matches(const QString& caption) const;
};

// The captions several dialogs and menus share.
namespace CommonCaptions {
inline constexpr Caption OK{"OK", "확  인"};
inline constexpr Caption Cancel{"Cancel", "취  소"};
inline constexpr Caption SelectAnyItem{"Select Any Item", "추가 아이템 선택"};
inline constexpr Caption AddNewItem{"Add New Item", "아이템 추가"};
inline constexpr Caption RevealInFinder{"Reveal in Finder", "파인더에서 보기"};
inline constexpr Caption RemoveItem{"Remove Item", "아이템 삭제"};
inline constexpr Caption ViewItemName{"View Item Name", "아이템 이름 보기"};
inline constexpr Caption ViewBackPanel{"View BackPanel", "투명 배경 화면 보기"};
} // namespace CommonCaptions
