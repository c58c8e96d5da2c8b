#include "platform/ImageWindow.h"

#include "platform/AlphaShape.h"
#include "platform/WindowSystem.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QHash>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <xcb/xcb.h>

namespace {

// Our pixels go to the server as they are in memory: 32 bits a pixel, so the window's depth
// must be 24 or 32 and the server must store both at 32 bits a pixel in our byte order.
bool ServerTakesOurPixels(xcb_connection_t* c, uint8_t depth) {
    if (depth != 24 && depth != 32)
        return false;
    const xcb_setup_t* setup = xcb_get_setup(c);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST ||
        QSysInfo::ByteOrder != QSysInfo::LittleEndian)
        return false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == depth)
            return it.data->bits_per_pixel == 32;
    return false;
}

} // namespace

// Notes the pixels the server lost in the image windows it exposes.
class ExposeWatch : public QAbstractNativeEventFilter {
public:
    static ExposeWatch& instance() {
        static ExposeWatch watch;
        return watch;
    }
    void watch(xcb_window_t id, ImageWindow* w) {
        if (!m_installed) {
            QCoreApplication::instance()->installNativeEventFilter(this);
            m_installed = true;
        }
        m_windows.insert(id, w);
    }
    void forget(ImageWindow* w) {
        m_windows.removeIf([w](const auto& entry) { return entry.value() == w; });
    }
    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_EXPOSE)
            return false;
        const auto* expose = reinterpret_cast<const xcb_expose_event_t*>(event);
        ImageWindow* w = m_windows.value(expose->window);
        if (!w)
            return false;
        const QRect area(expose->x, expose->y, expose->width, expose->height);
        // The event carries the last request the server had done: before the put's, the
        // put came after this loss and covered it.
        const bool coveredByLaterPut =
            w->m_putSequence && int16_t(uint16_t(w->m_putSequence) - expose->sequence) > 0 &&
            w->m_putRect.contains(area) &&
            std::chrono::steady_clock::now() - w->m_putAt < std::chrono::seconds(2);
        if (!coveredByLaterPut)
            w->m_lost |= area;
        return false;
    }

private:
    bool m_installed = false;
    QHash<xcb_window_t, ImageWindow*> m_windows;
};

ImageWindow::ImageWindow(Qt::WindowFlags extra)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint | extra) {
    // Flags and attributes are set once, before the native window exists.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    if (extra.testFlag(Qt::WindowTransparentForInput))
        setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // A compositing manager came or went: the shape and the pixels that go with it.
    connect(&WindowSystem::instance(), &WindowSystem::compositingChanged, this,
            [this] { imageChanged(); });
    if (xcb_connection_t* c = X11Connection()) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        m_putsOwnPixels =
            ServerTakesOurPixels(c, 32) || ServerTakesOurPixels(c, screen->root_depth);
        if (m_putsOwnPixels)
            setAttribute(Qt::WA_PaintOnScreen);
    }
}

ImageWindow::~ImageWindow() {
    if (m_putsOwnPixels)
        ExposeWatch::instance().forget(this);
    if (m_gc)
        if (xcb_connection_t* c = X11Connection())
            xcb_free_gc(c, m_gc);
}

QPaintEngine* ImageWindow::paintEngine() const {
    return m_putsOwnPixels ? nullptr : QWidget::paintEngine();
}

void ImageWindow::resizeInPlace(int w, int h) {
    if (isVisible() && windowHandle() && windowHandle()->position() != pos())
        windowHandle()->setPosition(pos());
    resize(w, h);
}

void ImageWindow::imageChanged(const QRegion* shape) {
    if (shape)
        ApplyAlphaShape(this, *shape);
    else
        ApplyAlphaShape(this, shownImage());
    m_imagePending = true;
    update();
}

void ImageWindow::showEvent(QShowEvent* event) {
    // Sent before the window is mapped: the states go with this map. A window past the window
    // manager (the pop-up, the overlay) is in no taskbar anyway.
    if (!windowFlags().testFlag(Qt::X11BypassWindowManagerHint))
        WindowSystem::instance().keepOutOfTaskbar(this);
    QWidget::showEvent(event);
}

bool ImageWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    // A window manager that took the last withdrawal late may have erased the states of
    // this map: once mapped, they are checked and asked for again.
    if (eventType == "xcb_generic_event_t" &&
        (static_cast<const xcb_generic_event_t*>(message)->response_type & 0x7f) ==
            XCB_MAP_NOTIFY &&
        !windowFlags().testFlag(Qt::X11BypassWindowManagerHint))
        WindowSystem::instance().keepOutOfTaskbarOnceMapped(this);
    return QWidget::nativeEvent(eventType, message, result);
}

void ImageWindow::paintEvent(QPaintEvent* event) {
    // A render or grab paints into its own device, through QPainter as everywhere.
    QPoint offset;
    if (m_putsOwnPixels && !redirected(&offset)) {
        ExposeWatch::instance().watch(xcb_window_t(winId()), this);
        if (m_imagePending || !m_lost.isEmpty())
            putOnScreen(event->region());
        return;
    }
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    // A picture that covers the window is the whole paint: one copy of it.
    if (shownImage().isNull() || shownImage().deviceIndependentSize().toSize() != size())
        p.fillRect(rect(), Qt::transparent);
    if (!shownImage().isNull())
        p.drawImage(0, 0, shownImage());
}

void ImageWindow::putOnScreen(const QRegion& region) {
    xcb_connection_t* c = X11Connection();
    // A window not on the screen keeps no pixels: its expose paints it when it shows.
    if (!c || !windowHandle() || !windowHandle()->isExposed() || region.isEmpty())
        return;
    const xcb_window_t window = xcb_window_t(winId());
    if (m_depthOf != window) {
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
        m_depth = geometry ? geometry->depth : 0;
        m_depthOf = window;
        free(geometry);
    }
    if (!ServerTakesOurPixels(c, m_depth))
        return;
    if (m_gc && m_gcDepth != m_depth) {
        xcb_free_gc(c, m_gc);
        m_gc = 0;
    }
    if (!m_gc) {
        // Foreground 0: transparent where the window reaches past its picture.
        m_gc = xcb_generate_id(c);
        const uint32_t values[] = {0, 0};
        xcb_create_gc(c, m_gc, window, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES, values);
        m_gcDepth = m_depth;
    }

    const QImage& shown = shownImage();
    // Both formats are the server's 32-bit pixels as they are (premultiplied for the alpha
    // visual); any other is converted for this put.
    QImage converted;
    if (!shown.isNull() && shown.format() != QImage::Format_ARGB32_Premultiplied &&
        shown.format() != QImage::Format_RGB32)
        converted = shown.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage& image = converted.isNull() ? shown : converted;

    // The image is at device pixels, as the server counts them.
    const qreal dpr = devicePixelRatioF();
    const QRect bounds = region.boundingRect();
    const QRect device =
        (QRectF(bounds.x() * dpr, bounds.y() * dpr, bounds.width() * dpr, bounds.height() * dpr)
             .toAlignedRect() |
         m_lost) &
        QRect(0, 0, qCeil(width() * dpr), qCeil(height() * dpr));
    if (device.isEmpty())
        return;
    const QRect fromImage = device & image.rect();
    uint32_t sequence = 0;
    if (!fromImage.isEmpty()) {
        // Whole rows of the image, which lie one after another in memory; as many to a
        // request as the server takes.
        const uint32_t stride = uint32_t(image.bytesPerLine());
        const uint64_t maxBytes = uint64_t(xcb_get_maximum_request_length(c)) * 4;
        const int rowsPerPut =
            int(qBound<uint64_t>(1, (maxBytes - sizeof(xcb_put_image_request_t) - 8) / stride,
                                 uint64_t(fromImage.height())));
        for (int y = fromImage.top(); y <= fromImage.bottom(); y += rowsPerPut) {
            const int rows = qMin(rowsPerPut, fromImage.bottom() + 1 - y);
            sequence = xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, m_gc,
                                     uint16_t(image.width()), uint16_t(rows), 0, int16_t(y), 0,
                                     m_depth, stride * uint32_t(rows), image.constScanLine(y))
                           .sequence;
        }
    }
    for (const QRect& r : QRegion(device).subtracted(fromImage)) {
        const xcb_rectangle_t clear = {int16_t(r.x()), int16_t(r.y()), uint16_t(r.width()),
                                       uint16_t(r.height())};
        sequence = xcb_poly_fill_rectangle(c, window, m_gc, 1, &clear).sequence;
    }
    xcb_flush(c);
    m_imagePending = false;
    m_lost = {};
    m_putRect = device;
    m_putSequence = sequence;
    m_putAt = std::chrono::steady_clock::now();
}
