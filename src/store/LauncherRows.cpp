#include "store/LauncherRows.h"

#include "platform/Database.h"

DatabaseRecord LauncherWinRow::Record() const {
    namespace C = LauncherWinColumn;
    DatabaseRecord rec;
    rec.IntegerColumn(C::LauncherWinUID, LauncherWinUID);
    rec.Column(C::LauncherWinName, LauncherWinName);
    rec.IntegerColumn(C::Width, Width);
    rec.IntegerColumn(C::Left, Left);
    rec.IntegerColumn(C::Top, Top);
    rec.IntegerColumn(C::IconSize, IconSize);
    rec.BooleanColumn(C::ViewName, ViewName);
    rec.BooleanColumn(C::ViewTitleMenu, ViewTitleMenu);
    rec.BooleanColumn(C::ViewBackPanel, ViewBackPanel);
    rec.IntegerColumn(C::TitleTextSize, TitleTextSize);
    if (TransparentValue)
        rec.IntegerColumn(C::TransparentValue, *TransparentValue);
    rec.IntegerColumn(C::WinColor, WinColor);
    return rec;
}

LauncherWinRow LauncherWinRow::Read(RecordSet& rs) {
    namespace C = LauncherWinColumn;
    LauncherWinRow row;
    row.LauncherWinUID = rs.Field(C::LauncherWinUID).IntegerValue();
    row.LauncherWinName = rs.Field(C::LauncherWinName).StringValue();
    row.Width = rs.Field(C::Width).IntegerValue();
    row.Left = rs.Field(C::Left).IntegerValue();
    row.Top = rs.Field(C::Top).IntegerValue();
    row.IconSize = rs.Field(C::IconSize).IntegerValue();
    row.ViewName = rs.Field(C::ViewName).BooleanValue();
    row.ViewTitleMenu = rs.Field(C::ViewTitleMenu).BooleanValue();
    row.ViewBackPanel = rs.Field(C::ViewBackPanel).BooleanValue();
    row.TitleTextSize = rs.Field(C::TitleTextSize).IntegerValue();
    if (const auto t = rs.Field(C::TransparentValue); !t.IsNull())
        row.TransparentValue = t.IntegerValue();
    row.WinColor = rs.Field(C::WinColor).IntegerValue();
    return row;
}

void LauncherWinRow::WriteEditorColumns(RecordSet& rs) const {
    namespace C = LauncherWinColumn;
    rs.Field(C::LauncherWinName).setStringValue(LauncherWinName);
    rs.Field(C::IconSize).setIntegerValue(IconSize);
    rs.Field(C::ViewName).setBooleanValue(ViewName);
    rs.Field(C::ViewTitleMenu).setBooleanValue(ViewTitleMenu);
    rs.Field(C::ViewBackPanel).setBooleanValue(ViewBackPanel);
    rs.Field(C::TransparentValue).setIntegerValue(TransparentValue.value_or(0));
    rs.Field(C::WinColor).setIntegerValue(WinColor);
}

DatabaseRecord LauncherListRow::Record() const {
    namespace C = LauncherListColumn;
    DatabaseRecord rec;
    rec.IntegerColumn(C::LauncherWinUID, LauncherWinUID);
    rec.IntegerColumn(C::AppUID, AppUID);
    rec.IntegerColumn(C::AppSEQ, AppSEQ);
    rec.Column(C::AppName, AppName);
    rec.Column(C::AppPath, AppPath);
    rec.Column(C::Icon, Icon);
    rec.Column(C::IconMask, IconMask);
    return rec;
}

LauncherListRow LauncherListRow::Read(RecordSet& rs) {
    namespace C = LauncherListColumn;
    LauncherListRow row;
    row.LauncherWinUID = rs.Field(C::LauncherWinUID).IntegerValue();
    row.AppUID = rs.Field(C::AppUID).IntegerValue();
    row.AppSEQ = rs.Field(C::AppSEQ).IntegerValue();
    row.AppName = rs.Field(C::AppName).StringValue();
    row.AppPath = rs.Field(C::AppPath).StringValue();
    row.Icon = rs.Field(C::Icon).StringValue();
    row.IconMask = rs.Field(C::IconMask).StringValue();
    return row;
}
