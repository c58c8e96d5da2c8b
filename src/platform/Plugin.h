#pragma once

// The small graphics, codec and window service the launcher draws and stores through.

#include "platform/FolderItem.h"

#include "platform/ImageWindow.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <optional>

class QWidget;
struct xcb_connection_t;

// Window translucency. MakeTransparentMBS lets the window's own pixels carry alpha; it
// must run before the window is first shown. SetTransparencyMBS(v): opacity 1 - v/100.
void MakeTransparentMBS(QWidget* window);
bool SetTransparencyMBS(QWidget* window, int value);

// Colours are stored as 0xRRGGBB.
qint64 Color2IntegerMBS(const QColor& color);
QColor Integer2ColorMBS(qint64 value);

// The Applications folder where a real folder is needed (the open-file dialog): the first
// of the applications folders (ApplicationFolders) that exists. Null when none does.
FolderItem ApplicationsFolderMBS(int domain = 0);

// The one way pictures are shrunk (and, rarely, enlarged): each target pixel averages the
// source pixels it covers, so fine lines and edges stay smooth at 32 or 48 pixels.
QImage SmoothScaled(const QImage& image, QSize size);
// An icon read at some size brought to fit size x size (keeping its proportions) through
// SmoothScaled, at device pixel ratio 1.
QImage FittedIcon(QImage image, int size);

// An item's icon at size x size, with alpha; never null for an existing item.
QImage IconImageMBS(const FolderItem& f, int size);
// Its mask: the icon's alpha as grey, black opaque and white transparent.
QImage IconMaskMBS(const FolderItem& f, int size);
// Both from one lookup of the item's icon.
struct IconAndMask {
    QImage icon;
    QImage mask;
};
IconAndMask IconAndMaskMBS(const FolderItem& f, int size);

// JPEG data of a picture (quality on the 0..1024 scale), and the picture back.
QByteArray PictureToStringMBS(const QImage& picture, const QString& codec, int quality, int depth);
QImage StringtoPictureMBS(const QByteArray& data, const QString& fileName, const QString& type);

// A PNG as a picture and a mask made from its alpha.
struct PNGPictureMBS {
    QImage Pict;
    QImage Mask;
    bool isNull() const { return Pict.isNull(); }
};
PNGPictureMBS OpenAsPNGMBS(const QString& path, double gamma = 0.0);

// One image that shows the picture where the mask is black, nothing where it is white and
// partly where grey: colour from the picture, alpha = 255 - the mask's grey.
QImage CGCreateImageMBS(const QImage& picture, const QImage& mask);

// Pixel arithmetic on packed 0xAARRGGBB values, two channels at a time (x * a / 255, and
// x * a / 255 + y * b / 255 with a + b = 255), rounded like the raster paint engine.
inline uint ByteMul(uint x, uint a) {
    uint t = (x & 0xff00ffu) * a;
    t = ((t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    x = ((x >> 8) & 0xff00ffu) * a;
    x = (x + ((x >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return x | t;
}
inline uint Interpolate255(uint x, uint a, uint y, uint b) {
    uint t = (x & 0xff00ffu) * a + (y & 0xff00ffu) * b;
    t = ((t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    x = ((x >> 8) & 0xff00ffu) * a + ((y >> 8) & 0xff00ffu) * b;
    x = (x + ((x >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return x | t;
}

// One row of a picture joined with its grey mask (black opaque, white transparent) into
// premultiplied alpha; the one place a mask becomes alpha.
inline void MaskRowToAlpha(const QRgb* picture, const QRgb* mask, QRgb* out, int width) {
    for (int x = 0; x < width; ++x) {
        const uint a = 255u - (mask[x] & 0xffu);
        out[x] = a == 0 ? 0u : ByteMul(picture[x] | 0xff000000u, a);
    }
}
// One row of alpha turned into the grey mask that stands for it; the way back.
inline void AlphaRowToMask(const QRgb* argb, QRgb* mask, int width) {
    for (int x = 0; x < width; ++x) {
        const int g = 255 - qAlpha(argb[x]);
        mask[x] = qRgb(g, g, g);
    }
}

// A frameless, top-most, input-transparent translucent window at a screen rectangle.
class OverlayWindowMBS : public ImageWindow {
public:
    OverlayWindowMBS();
    int Create(int left, int top, int width, int height); // 0 on success
    void Show();
    // Clear, draw and flush in one: the window shows the image from now on.
    void DrawPicture(const QImage& image);
    const QImage& shownImage() const override { return m_image; }

private:
    QImage m_image;
};

// Qt's connection to the X server; null on other platforms.
xcb_connection_t* X11Connection();

// True when a compositing manager blends translucent windows (always on non-X11 platforms).
// Asked anew at every call: a compositing manager may start or stop at any time.
bool CompositingActive();
// Tests decide the answer; nullopt asks the display again.
void OverrideCompositingActive(std::optional<bool> active);

// Without a compositing manager a window's alpha would show black: its shape then is what
// the image draws (its alpha), so the transparent parts stay see-through and click-through,
// and an image that draws nothing (or none yet) gives an empty shape. With a compositing
// manager the window has no shape, and one set earlier is cleared.
void ApplyAlphaShape(QWidget* window, const QImage& image);
// The same with the image's region already made (see AlphaRegion), for a picture composed
// on another thread.
void ApplyAlphaShape(QWidget* window, const QRegion& shape);
// Where an image is not fully transparent, in window pixels (an image at a higher device
// ratio is sampled). Safe on any thread.
QRegion AlphaRegion(const QImage& image);

// Where and how large the display server has a top-level window now, which can differ from
// what a late configure notification made Qt believe, and whether it is mapped: until the
// window manager has taken up a Show, the server still has the window as it was before it.
// In the window's own (scaled) units, like geometry(); nullopt where unknown.
struct WindowOnServer {
    QRect geometry;
    bool mapped = false;
};
std::optional<WindowOnServer> WindowServerState(QWidget* window);
// Tests decide the answer for every window; nullopt asks the display again.
void OverrideWindowServerState(std::optional<WindowOnServer> state);

// Whether a pointer button is held now (a person moving or sizing a window with the window
// manager holds one); false where unknown.
bool PointerButtonHeld();
// Tests decide the answer; nullopt asks the display again.
void OverridePointerButtonHeld(std::optional<bool> held);

// Keeps a floating window out of the taskbar and the window switcher (X11), whatever the
// window manager makes of its type. Call before the window is first shown.
void KeepOutOfTaskbar(QWidget* window);
// Once the window manager has mapped the window: the states it dropped meanwhile (a window
// manager that handles a withdrawal late erases what was set for the next map) are asked of
// it again, with "above" for a window that stays on top.
void KeepOutOfTaskbarOnceMapped(QWidget* window);
