#include "launcher/TempRunIconWin.h"

#include "launcher/LauncherComposition.h"
#include "launcher/LauncherWin.h"
#include "platform/Framework.h"
#include "platform/Pixels.h"
#include "platform/Transparency.h"
#include "store/IconHelpers.h"
#include "store/IconSizes.h"

#include <QGuiApplication>
#include <QPainter>

// Past the window manager, as the removal overlay: a frame it put around the pop-up would take
// the clicks meant for the icons under it while the pop-up shows.
TempRunIconWin::TempRunIconWin()
    : ImageWindow(Qt::WindowTransparentForInput | Qt::X11BypassWindowManagerHint) {
    resize(128, 128);
    Timer1.setInterval(500);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &TempRunIconWin::Timer1_Action);
    MakeTransparentMBS(this);
    SetTransparencyMBS(this, 0);
}

int TempRunIconWin::EnlargedSize(int iconSize) {
    // One size up; the largest has none.
    const int i = IconSizeIndex(iconSize);
    return i >= 0 && size_t(i) + 1 < IconSizes.size() ? IconSizes[size_t(i) + 1] : 0;
}

TempRunIconWin::Placement TempRunIconWin::PlaceFor(int iconSize, int W, int iconScreenX,
                                                   int iconScreenY) {
    const int S = EnlargedSize(iconSize);
    Placement p;
    p.top = iconScreenY - RealToInt((S - iconSize) / 2.0);
    p.height = S + 25;
    p.baseline = S + 15;
    if (S < W) {
        p.width = W;
        p.left = iconScreenX - RealToInt((W - iconSize) / 2.0);
        p.iconX = RealToInt((W - S) / 2.0);
        p.labelX = 0;
    } else {
        p.width = S;
        p.left = iconScreenX - RealToInt((S - iconSize) / 2.0);
        p.iconX = 0;
        p.labelX = RealToInt((S - W) / 2.0);
    }
    return p;
}

void TempRunIconWin::MakeIconMethod() {
    if (!SelfWin || !TempApp)
        return;
    IconSize = SelfWin->IconSize;
    const QString label = TempApp->AppName;
    const int W = LauncherComposition::TextWidth(label, 14);
    const int S = EnlargedSize(IconSize);
    const Placement place =
        PlaceFor(IconSize, W, TempApp->Left + SelfWin->Left(), TempApp->Top + SelfWin->Top());
    // Nothing to show: no enlargement step and no label would give an empty window.
    if (place.width <= 0) {
        hide();
        return;
    }
    // The stored pictures are decoded here, for this showing only, at the device size drawn.
    const qreal dpr = devicePixelRatioF();
    const int Sd = qRound(S * dpr);
    TempIcon = TempApp->Icon.pictureAtLeast(QSize(Sd, Sd));
    TempIconMask = TempApp->IconMask.pictureAtLeast(QSize(Sd, Sd));
    MaskedPicture icon = GlobalModule::GetImageFreeSizeMethod(TempIcon, Sd, Sd, IconKind::Icon);
    MaskedPicture mask = GlobalModule::GetImageFreeSizeMethod(TempIconMask, Sd, Sd, IconKind::Icon);
    icon.image.setDevicePixelRatio(dpr);
    mask.image.setDevicePixelRatio(dpr);
    TempIcon = icon.image;
    TempIconMask = mask.image;

    QImage image(qRound(place.width * dpr), qRound(place.height * dpr), QImage::Format_RGB32);
    QImage maskPic(image.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    maskPic.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    maskPic.fill(Qt::white);
    {
        const QFont font = PixelFont(14);
        QPainter ip(&image);
        QPainter mp(&maskPic);
        ip.setFont(font);
        mp.setFont(font);
        // The fitted icon carries an opaque rectangle as its mask.
        if (!icon.isNull())
            ip.drawImage(place.iconX, 0, icon.image);
        if (!mask.isNull())
            mp.drawImage(place.iconX, 0, mask.image);
        ip.setPen(Qt::white);
        mp.setPen(Qt::black);
        ip.drawText(QPoint(place.labelX, place.baseline), label);
        mp.drawText(QPoint(place.labelX, place.baseline), label);
    }
    pic = CGCreateImageMBS(image, maskPic);
    pic.setDevicePixelRatio(dpr);
    setGeometry(place.left, place.top, place.width, place.height);
    imageChanged();
    show();
    raise();
    Timer1.start(); // a second click restarts the count
}
