#include "platform/Plugin.h"

#include "platform/Applications.h"
#include "platform/DesktopEntry.h"
#include "platform/IconTheme.h"
#include "platform/ImageMemo.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <vector>

void MakeTransparentMBS(QWidget* window) {
    if (window)
        window->setAttribute(Qt::WA_TranslucentBackground);
}

bool SetTransparencyMBS(QWidget* window, int value) {
    if (!window)
        return false;
    window->setWindowOpacity(1.0 - qBound(0, value, 100) / 100.0);
    return true;
}

qint64 Color2IntegerMBS(const QColor& color) {
    return qint64(color.rgb() & 0xFFFFFF);
}

QColor Integer2ColorMBS(qint64 value) {
    return QColor(QRgb(quint32(value) & 0xFFFFFF));
}

FolderItem ApplicationsFolderMBS(int) {
    for (const QString& folder : ApplicationFolders())
        if (QFileInfo(folder).isDir())
            return FolderItem(folder);
    return {};
}

QImage SmoothScaled(const QImage& image, QSize size) {
    if (image.isNull() || size.isEmpty())
        return {};
    const QImage source = image.format() == QImage::Format_ARGB32_Premultiplied ||
                                  image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (source.size() == size)
        return source;
    // Qt's smooth scaling averages every source pixel under each target pixel when it
    // shrinks (premultiplied, so edges keep no dark fringe); bilinear sampling would skip
    // pixels and leave stair-stepped edges.
    QImage out = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.setDevicePixelRatio(1.0);
    return out;
}

QImage FittedIcon(QImage image, int size) {
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(1.0);
    if (image.width() != size && image.height() != size)
        image = SmoothScaled(image, image.size().scaled(size, size, Qt::KeepAspectRatio));
    return image;
}

namespace {

QImage IconOf(const QIcon& icon, int size) {
    if (icon.isNull())
        return {};
    // At device pixel ratio 1 whatever the screen's scale: the stored icon is the same
    // picture on every screen.
    return FittedIcon(icon.pixmap(QSize(size, size), 1.0).toImage(), size);
}

// The item's own picture at size x size, as the desktop shows it; null when only the
// style's generic icons remain.
QImage DesktopIcon(const FolderItem& f, int size) {
    const QString path = f.AbsolutePath();
    if (IsRegularFile(path) && isDesktopEntryName(f.Name())) {
        // An application whose icon is missing gets the generic application icon.
        for (const QString& name :
             {DesktopEntry::read(path).icon, QStringLiteral("application-x-executable")}) {
            const QImage image = ThemedIconImage(name, size);
            if (!image.isNull())
                return image;
        }
    }
    static const QMimeDatabase mimes;
    const QFileInfo info(path);
    const QMimeType type = mimes.mimeTypeForFile(info);
    for (const QString& name : {type.iconName(), type.genericIconName()}) {
        const QImage image = ThemedIconImage(name, size);
        if (!image.isNull())
            return image;
    }
    static const QFileIconProvider provider;
    QImage image = IconOf(provider.icon(info), size);
    if (image.isNull() && qApp && qobject_cast<QApplication*>(qApp))
        image = IconOf(QApplication::style()->standardIcon(info.isDir() ? QStyle::SP_DirIcon
                                                                        : QStyle::SP_FileIcon),
                       size);
    return image;
}

// Our own plain tile, for a platform that offers no icon at all.
QImage fallbackIcon(int size, bool folder) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), qMax(1, size / 32)));
    p.setBrush(folder ? QColor(120, 170, 230) : QColor(235, 235, 235));
    const qreal m = size * 0.12;
    p.drawRoundedRect(QRectF(m, m, size - 2 * m, size - 2 * m), size * 0.1, size * 0.1);
    return img;
}

} // namespace

QImage IconImageMBS(const FolderItem& f, int size) {
    if (f.isNull() || size <= 0)
        return {};
    const QImage img = DesktopIcon(f, size);
    if (img.isNull())
        return fallbackIcon(size, f.Directory());
    // The same icon (documents of one kind) is placed once, and handed out as one picture.
    static ImageMemo<QImage> placed(64);
    return placed.get(img, [size](const QImage& source) {
        QImage out(size, size, QImage::Format_ARGB32_Premultiplied);
        out.fill(Qt::transparent);
        QPainter p(&out);
        p.drawImage((size - source.width()) / 2, (size - source.height()) / 2, source);
        return out;
    });
}

namespace {
QImage MaskOfIcon(const QImage& icon) {
    if (icon.isNull())
        return {};
    static ImageMemo<QImage> masks(64);
    return masks.get(icon, [](const QImage& source) {
        QImage mask(source.size(), QImage::Format_RGB32);
        const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            AlphaRowToMask(reinterpret_cast<const QRgb*>(argb.constScanLine(y)),
                           reinterpret_cast<QRgb*>(mask.scanLine(y)), argb.width());
        }
        return mask;
    });
}
} // namespace

QImage IconMaskMBS(const FolderItem& f, int size) {
    return MaskOfIcon(IconImageMBS(f, size));
}

IconAndMask IconAndMaskMBS(const FolderItem& f, int size) {
    IconAndMask out;
    out.icon = IconImageMBS(f, size);
    out.mask = MaskOfIcon(out.icon);
    return out;
}

QByteArray PictureToStringMBS(const QImage& picture, const QString& codec, int quality, int) {
    if (picture.isNull())
        return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    // 1024 is the top of the scale: best quality.
    const int q = qBound(0, quality * 100 / 1024, 100);
    picture.convertToFormat(QImage::Format_RGB32).save(&buffer, codec.toLatin1().constData(), q);
    return data;
}

QImage StringtoPictureMBS(const QByteArray& data, const QString&, const QString& type) {
    if (data.isEmpty())
        return {};
    QImage img;
    if (!img.loadFromData(data, type.toLatin1().constData()))
        return {};
    return img.convertToFormat(QImage::Format_RGB32);
}

PNGPictureMBS OpenAsPNGMBS(const QString& path, double) {
    PNGPictureMBS png;
    QImage img;
    if (!img.load(path, "PNG"))
        return png;
    img = img.convertToFormat(QImage::Format_ARGB32);
    png.Pict = QImage(img.size(), QImage::Format_RGB32);
    png.Mask = QImage(img.size(), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        QRgb* pict = reinterpret_cast<QRgb*>(png.Pict.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            pict[x] = qRgb(qRed(src[x]), qGreen(src[x]), qBlue(src[x]));
        AlphaRowToMask(src, reinterpret_cast<QRgb*>(png.Mask.scanLine(y)), img.width());
    }
    return png;
}

QImage CGCreateImageMBS(const QImage& picture, const QImage& mask) {
    if (picture.isNull())
        return {};
    const QImage pic = picture.format() == QImage::Format_RGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    const QImage m = mask.isNull() || mask.format() == QImage::Format_RGB32
                         ? mask
                         : mask.convertToFormat(QImage::Format_RGB32);
    const int w = pic.width(), h = pic.height();
    const int mw = m.isNull() ? 0 : qMin(w, m.width());
    const int mh = m.isNull() ? 0 : m.height();
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(pic.constScanLine(y));
        const QRgb* msk = y < mh ? reinterpret_cast<const QRgb*>(m.constScanLine(y)) : nullptr;
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        const int limit = msk ? mw : 0;
        if (msk)
            MaskRowToAlpha(src, msk, dst, limit);
        for (int x = limit; x < w; ++x)
            dst[x] = src[x] | 0xFF000000u;
    }
    return out;
}

OverlayWindowMBS::OverlayWindowMBS()
    : ImageWindow(Qt::WindowTransparentForInput | Qt::X11BypassWindowManagerHint) {}

int OverlayWindowMBS::Create(int left, int top, int width, int height) {
    if (width <= 0 || height <= 0)
        return -1;
    setGeometry(left, top, width, height);
    return 0;
}

void OverlayWindowMBS::Show() {
    show();
}

void OverlayWindowMBS::DrawPicture(const QImage& image) {
    m_image = image;
    imageChanged();
}

#include <QGuiApplication>
#include <cstring>
#include <xcb/xcb.h>

xcb_connection_t* X11Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

namespace {
std::optional<bool> compositingOverride;
std::optional<WindowOnServer> serverStateOverride;

xcb_atom_t internAtom(xcb_connection_t* c, const char* name, bool onlyIfExists = false) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, onlyIfExists, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}
} // namespace

void OverrideCompositingActive(std::optional<bool> active) {
    compositingOverride = active;
}

bool CompositingActive() {
    if (compositingOverride)
        return *compositingOverride;
    xcb_connection_t* c = X11Connection();
    if (!c)
        return QGuiApplication::platformName() != QLatin1String("xcb");
    // One round trip: the atom is made once, the selection's owner asked every time.
    static const xcb_atom_t selection = internAtom(c, "_NET_WM_CM_S0");
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool active = owner && owner->owner != XCB_NONE;
    free(owner);
    return active;
}

QRegion AlphaRegion(const QImage& image) {
    if (image.isNull())
        return {};
    const qreal dpr = image.devicePixelRatio();
    const QSize size = image.deviceIndependentSize().toSize();
    const QImage argb = image.format() == QImage::Format_ARGB32_Premultiplied ||
                                image.format() == QImage::Format_ARGB32
                            ? image
                            : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<int> columns(size_t(size.width()));
    for (int x = 0; x < size.width(); ++x)
        columns[size_t(x)] = qMin(argb.width() - 1, int(x * dpr));
    // Rows with the same runs join into one band of rectangles, as the engine keeps them.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> runs, bandRuns;
    size_t bandStart = 0;
    for (int y = 0; y < size.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(
            argb.constScanLine(qMin(argb.height() - 1, int(y * dpr))));
        runs.clear();
        for (int x = 0; x < size.width();) {
            if (qAlpha(line[columns[size_t(x)]]) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < size.width() && qAlpha(line[columns[size_t(x)]]) != 0)
                ++x;
            runs.emplace_back(start, x - start);
        }
        if (y > 0 && runs == bandRuns) {
            for (size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(y);
            continue;
        }
        bandStart = rects.size();
        bandRuns = runs;
        for (const auto& [x, w] : runs)
            rects.emplace_back(x, y, w, 1);
    }
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

namespace {
// Qt takes an empty mask for "no shape"; an empty shape is one rectangle outside the window,
// which the server clips away.
const QRegion& nothingShown() {
    static const QRegion outside(-1, -1, 1, 1);
    return outside;
}

// With a compositor the window has no shape, and one set earlier is cleared. Without one
// the shape is what is drawn: an empty picture is an empty shape.
void setShape(QWidget* window, bool compositing, const QRegion& shape) {
    if (!compositing)
        window->setMask(shape.isEmpty() ? nothingShown() : shape);
    else if (!window->mask().isEmpty())
        window->clearMask();
}
} // namespace

void ApplyAlphaShape(QWidget* window, const QImage& image) {
    if (!window)
        return;
    // Made only where it is applied.
    const bool compositing = CompositingActive();
    setShape(window, compositing, compositing ? QRegion() : AlphaRegion(image));
}

void ApplyAlphaShape(QWidget* window, const QRegion& shape) {
    if (window)
        setShape(window, CompositingActive(), shape);
}

std::optional<WindowOnServer> WindowServerState(QWidget* window) {
    if (serverStateOverride)
        return *serverStateOverride;
    xcb_connection_t* c = X11Connection();
    if (!c || !window || !window->testAttribute(Qt::WA_WState_Created))
        return std::nullopt;
    const xcb_window_t id = xcb_window_t(window->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    // One round trip for the three questions.
    const auto placeCookie = xcb_translate_coordinates(c, id, root, 0, 0);
    const auto sizeCookie = xcb_get_geometry(c, id);
    const auto mapCookie = xcb_get_window_attributes(c, id);
    xcb_translate_coordinates_reply_t* place =
        xcb_translate_coordinates_reply(c, placeCookie, nullptr);
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(c, sizeCookie, nullptr);
    xcb_get_window_attributes_reply_t* map = xcb_get_window_attributes_reply(c, mapCookie, nullptr);
    std::optional<WindowOnServer> state;
    if (place && size && map) {
        // The server speaks device pixels; the window's geometry is in the scaled units.
        const qreal dpr = window->devicePixelRatioF();
        state = WindowOnServer{
            QRectF(place->dst_x / dpr, place->dst_y / dpr, size->width / dpr, size->height / dpr)
                .toRect(),
            map->map_state == XCB_MAP_STATE_VIEWABLE};
    }
    free(place);
    free(size);
    free(map);
    return state;
}

void OverrideWindowServerState(std::optional<WindowOnServer> state) {
    serverStateOverride = state;
}

namespace {
std::optional<bool> buttonOverride;
}

void OverridePointerButtonHeld(std::optional<bool> held) {
    buttonOverride = held;
}

bool PointerButtonHeld() {
    if (buttonOverride)
        return *buttonOverride;
    xcb_connection_t* c = X11Connection();
    if (!c)
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr);
    const bool held =
        reply && (reply->mask & (XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3 |
                                 XCB_BUTTON_MASK_4 | XCB_BUTTON_MASK_5));
    free(reply);
    return held;
}

namespace {
struct TaskbarAtoms {
    xcb_atom_t state, skipTaskbar, skipPager, above, type, utility;
};
const TaskbarAtoms& taskbarAtoms(xcb_connection_t* c) {
    static const TaskbarAtoms atoms{internAtom(c, "_NET_WM_STATE"),
                                    internAtom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                    internAtom(c, "_NET_WM_STATE_SKIP_PAGER"),
                                    internAtom(c, "_NET_WM_STATE_ABOVE"),
                                    internAtom(c, "_NET_WM_WINDOW_TYPE"),
                                    internAtom(c, "_NET_WM_WINDOW_TYPE_UTILITY")};
    return atoms;
}
std::vector<xcb_atom_t> statesOf(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    std::vector<xcb_atom_t> states;
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr)) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        states.assign(atoms, atoms + xcb_get_property_value_length(reply) / 4);
        free(reply);
    }
    return states;
}
// The states of ours a window lacks: out of the taskbar and the pager, and above for a window
// that stays on top.
std::vector<xcb_atom_t> missingStates(const std::vector<xcb_atom_t>& states, const TaskbarAtoms& a,
                                      bool above) {
    std::vector<xcb_atom_t> missing;
    for (const xcb_atom_t atom : {a.skipTaskbar, a.skipPager, a.above})
        if ((atom != a.above || above) &&
            std::find(states.begin(), states.end(), atom) == states.end())
            missing.push_back(atom);
    return missing;
}
} // namespace

void KeepOutOfTaskbar(QWidget* window) {
    xcb_connection_t* c = X11Connection();
    if (!window || !c)
        return;
    const xcb_window_t id = xcb_window_t(window->winId());
    const TaskbarAtoms& a = taskbarAtoms(c);
    // Both asked in one round trip. States already there (Qt's "above") stay.
    const auto stateCookie = xcb_get_property(c, 0, id, a.state, XCB_ATOM_ATOM, 0, 64);
    const auto typeCookie = xcb_get_property(c, 0, id, a.type, XCB_ATOM_ATOM, 0, 16);
    std::vector<xcb_atom_t> states = statesOf(c, stateCookie);
    const std::vector<xcb_atom_t> missing = missingStates(states, a, false);
    states.insert(states.end(), missing.begin(), missing.end());
    if (!missing.empty())
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, a.state, XCB_ATOM_ATOM, 32,
                            uint32_t(states.size()), states.data());
    // Qt gives the type when it makes the window; should anything have taken it away, the
    // window is a utility window again, as Qt made it.
    xcb_get_property_reply_t* type = xcb_get_property_reply(c, typeCookie, nullptr);
    if (!type || xcb_get_property_value_length(type) == 0)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, a.type, XCB_ATOM_ATOM, 32, 1,
                            &a.utility);
    free(type);
    xcb_flush(c);
}

void KeepOutOfTaskbarOnceMapped(QWidget* window) {
    xcb_connection_t* c = X11Connection();
    if (!window || !c)
        return;
    const xcb_window_t id = xcb_window_t(window->winId());
    const TaskbarAtoms& a = taskbarAtoms(c);
    const std::vector<xcb_atom_t> missing =
        missingStates(statesOf(c, xcb_get_property(c, 0, id, a.state, XCB_ATOM_ATOM, 0, 64)), a,
                      window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // A mapped window's states are the window manager's to change: it is asked, two at a
    // time, as the window-manager hints say.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    for (size_t i = 0; i < missing.size(); i += 2) {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = a.state;
        message.data.data32[0] = 1; // add
        message.data.data32[1] = missing[i];
        message.data.data32[2] = i + 1 < missing.size() ? missing[i + 1] : 0;
        message.data.data32[3] = 1; // from an application
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&message));
    }
    if (!missing.empty())
        xcb_flush(c);
}
