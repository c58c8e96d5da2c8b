#include "launcher/LauncherWin.h"

#include "launcher/LauncherComposition.h"
#include "launcher/LauncherGeometry.h"
#include "launcher/TempRunIconWin.h"
#include "platform/Colours.h"
#include "platform/Framework.h"
#include "platform/Transparency.h"
#include "platform/WindowSystem.h"
#include "shared/GlobalModule.h"
#include "store/PrefClass.h"

#include <QTimer>

LauncherWin::LauncherWin() {
    // Launcher windows never take the keyboard focus and stay out of the taskbar and the
    // window switcher.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setMinimumSize(1, 1);
    resize(328, 130);
    // What the window does when it opens.
    setAcceptDrops(true);
    MakeTransparentMBS(this);
    SetTransparencyMBS(this, GlobalModule::MyPref ? GlobalModule::MyPref->TransparentValue : 0);
    setHeight(64);
    m_composedSize = size(); // the opening size is ours, not a live-resize step
    WindowSystem::instance().keepOutOfTaskbar(this);
}

LauncherWin::~LauncherWin() {
    // A place still waiting for another program's lock gets a last try as the window goes.
    if (m_placeRetry && m_placeRetry->isActive())
        writePlace();
}

void LauncherWin::SpaceForIconSizeValueSelectMethod() {
    const LauncherGeometry::Pitch p = LauncherGeometry::PitchFor(IconSize, ViewName);
    if (p.known) {
        SpaceForIconSizeValue = p.space;
        AppNameTextSize = p.nameTextSize;
    } else if (!ViewName) {
        AppNameTextSize = 0;
    }
}

qint32 LauncherWin::CheckHeightMethod() {
    const auto h = LauncherGeometry::HeightFor(Width(), SpaceForIconSizeValue, AppNameTextSize,
                                               ViewTitleMenu, int(LauncherItemArr->size()));
    LimitWidthCount = h.limitWidthCount;
    return h.height;
}

qint32 LauncherWin::GetIndexMethod(qint32 X, qint32 Y) const {
    return LauncherGeometry::IndexAt(X, Y, SpaceForIconSizeValue, AppNameTextSize, ViewTitleMenu,
                                     LimitWidthCount);
}

void LauncherWin::MakeAppImageMethod() {
    // On this thread the shape is made where it is applied, after asking for a compositor.
    TakeComposition(LauncherComposition::Compose(
        TakeCompositionInput(Width(), devicePixelRatioF(), false, MainScreenWidth())));
}

LauncherComposition::Input LauncherWin::TakeCompositionInput(int width, qreal dpr, bool shape,
                                                             int screenWidth) {
    SpaceForIconSizeValueSelectMethod();
    TitleTextSize = 14;
    LauncherComposition::Input in = CompositionSettings(width, dpr, shape, screenWidth);
    in.items = &LauncherItemArr->items();
    in.cache = &m_fitted;
    in.recycled = std::move(pic);
    return in;
}

LauncherComposition::Input LauncherWin::CompositionSettings(int width, qreal dpr, bool shape,
                                                            int screenWidth) const {
    LauncherComposition::Input in;
    in.width = width;
    in.iconSize = IconSize;
    in.viewName = ViewName;
    in.viewTitleMenu = ViewTitleMenu;
    in.viewBackPanel = ViewBackPanel;
    in.name = LauncherWinName;
    in.color = Integer2ColorMBS(WinColor);
    in.dpr = dpr;
    in.shape = shape;
    in.screenWidth = screenWidth;
    in.maxHeight = LauncherGeometry::TallestWindow(ScreenRects()); // the screens as now
    return in;
}

void LauncherWin::TakeComposition(LauncherComposition::Output&& out) {
    LimitWidthCount = out.limitWidthCount;
    if (out.titleLaidOut) {
        TitleNameStringWidth = out.titleNameStringWidth;
        PrefIconXValue = out.prefIconX;
        PrefIconYValue = out.prefIconY;
    }
    for (size_t i = 0; i < LauncherItemArr->size() && i < out.itemPositions.size(); ++i) {
        (*LauncherItemArr)[i]->Left = out.itemPositions[i].x();
        (*LauncherItemArr)[i]->Top = out.itemPositions[i].y();
    }
    pic = std::move(out.pic);
    m_composing = true;
    m_composedSize = QSize(out.width, out.height);
    resizeInPlace(out.width, out.height);
    m_composing = false;
    imageChanged(out.shape ? &*out.shape : nullptr);
}
