#pragma once

#include "platform/ImageWindow.h"
#include "store/AppListClass.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>

class LauncherWin;

// The launch-feedback pop-up: the clicked item's icon one size step larger, centred on the
// icon, with its name in white below; it hides itself 500 ms after each showing.
class TempRunIconWin : public ImageWindow {
    Q_OBJECT

public:
    TempRunIconWin();

    QImage pic;
    QImage TempIcon;
    QImage TempIconMask;
    qint32 IconSize = 0;
    LauncherWin* SelfWin = nullptr;        // the owner, not owned
    std::shared_ptr<AppListClass> TempApp; // shared with the owner's items
    QTimer Timer1;

    void MakeIconMethod();
    void Timer1_Action() { hide(); }

    // The enlarged icon edge for a launcher icon size (0 when there is none).
    static int EnlargedSize(int iconSize);

    // Where and how large the pop-up is for an icon at a screen point.
    struct Placement {
        int left = 0, top = 0, width = 0, height = 0;
        int iconX = 0, labelX = 0, baseline = 0;
    };
    static Placement PlaceFor(int iconSize, int labelWidth, int iconScreenX, int iconScreenY);

    const QImage& shownImage() const override { return pic; }
};
