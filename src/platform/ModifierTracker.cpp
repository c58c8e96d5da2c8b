#include "platform/ModifierTracker.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

// XKB event kinds (the byte after the response type).
constexpr uint8_t kXkbNewKeyboardNotify = 0;
constexpr uint8_t kXkbMapNotify = 1;
constexpr uint8_t kXkbStateNotify = 2;

// The wire layout of an XKB StateNotify event, as far as it is read here.
struct XkbStateNotify {
    uint8_t responseType;
    uint8_t xkbType;
    uint16_t sequence;
    uint32_t time;
    uint8_t deviceID;
    uint8_t mods; // the effective modifier mask
    uint8_t baseMods;
    uint8_t latchedMods;
    uint8_t lockedMods;
};

constexpr uint32_t kAltL = 0xffe9, kAltR = 0xffea, kMetaL = 0xffe7, kMetaR = 0xffe8;
constexpr uint32_t kSuperL = 0xffeb, kSuperR = 0xffec;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <class T> using Reply = std::unique_ptr<T, FreeDeleter>;

} // namespace

ModifierTracker* ModifierTracker::instance() {
    // Made once, on first use, and kept for the life of the process.
    static const std::unique_ptr<ModifierTracker> tracker =
        []() -> std::unique_ptr<ModifierTracker> {
        if (!qApp || QGuiApplication::platformName() != QLatin1String("xcb"))
            return nullptr;
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t* c = x11 ? x11->connection() : nullptr;
        if (!c)
            return nullptr;
        const char name[] = "XKEYBOARD";
        Reply<xcb_query_extension_reply_t> ext(xcb_query_extension_reply(
            c, xcb_query_extension(c, uint16_t(strlen(name)), name), nullptr));
        if (!ext || !ext->present)
            return nullptr;
        std::unique_ptr<ModifierTracker> t(new ModifierTracker(c, ext->first_event));
        qApp->installNativeEventFilter(t.get());
        return t;
    }();
    return tracker.get();
}

ModifierTracker::ModifierTracker(xcb_connection_t* c, uint8_t xkbEvent)
    : m_connection(c), m_xkbEvent(xkbEvent) {
    readMapping();
    // The state once, from the server; from here on the events keep it.
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    Reply<xcb_query_pointer_reply_t> pointer(
        screen ? xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), nullptr) : nullptr);
    if (pointer)
        m_held = fromMask(pointer->mask & 0xff, m_altMask, m_superMask);
}

HeldModifiers ModifierTracker::fromMask(uint mask, uint altMask, uint superMask) {
    return {(mask & superMask) != 0, (mask & altMask) != 0, (mask & XCB_MOD_MASK_CONTROL) != 0,
            (mask & XCB_MOD_MASK_SHIFT) != 0};
}

void ModifierTracker::readMapping() {
    m_mappingStale = false;
    xcb_connection_t* c = m_connection;
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_keycode_t first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto modCookie = xcb_get_modifier_mapping(c);
    auto keyCookie = xcb_get_keyboard_mapping(c, first, uint8_t(count));
    Reply<xcb_get_modifier_mapping_reply_t> mods(
        xcb_get_modifier_mapping_reply(c, modCookie, nullptr));
    Reply<xcb_get_keyboard_mapping_reply_t> keys(
        xcb_get_keyboard_mapping_reply(c, keyCookie, nullptr));
    if (!mods || !keys)
        return;
    const xcb_keycode_t* modKeys = xcb_get_modifier_mapping_keycodes(mods.get());
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(keys.get());
    const int perCode = keys->keysyms_per_keycode;
    const int perMod = mods->keycodes_per_modifier;
    uint alt = 0, super = 0;
    for (int mod = 3; mod < 8; ++mod) { // Mod1 .. Mod5
        for (int k = 0; k < perMod; ++k) {
            const int code = modKeys[mod * perMod + k];
            if (code < first || code - first >= count)
                continue;
            for (int s = 0; s < perCode; ++s) {
                const uint32_t sym = syms[(code - first) * perCode + s];
                if (sym == kAltL || sym == kAltR || sym == kMetaL || sym == kMetaR)
                    alt |= 1u << mod;
                if (sym == kSuperL || sym == kSuperR)
                    super |= 1u << mod;
            }
        }
    }
    // Alt and Super on one modifier (Meta on Mod4 in some maps): Super keeps it.
    alt &= ~super;
    if (alt)
        m_altMask = alt;
    if (super)
        m_superMask = super;
}

void ModifierTracker::update(uint mask) {
    if (m_mappingStale)
        readMapping();
    const HeldModifiers now = fromMask(mask, m_altMask, m_superMask);
    if (now == m_held)
        return;
    m_held = now;
    // Told after the event is handled, not inside Qt's event dispatch.
    QMetaObject::invokeMethod(
        qApp, [] { Q_EMIT Desktop::instance().modifiersChanged(); }, Qt::QueuedConnection);
}

bool ModifierTracker::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != m_xkbEvent)
        return false;
    const auto* xkb = reinterpret_cast<const XkbStateNotify*>(event);
    if (xkb->xkbType == kXkbStateNotify)
        update(xkb->mods);
    else if (xkb->xkbType == kXkbMapNotify || xkb->xkbType == kXkbNewKeyboardNotify)
        m_mappingStale = true; // read again before the next state is taken
    return false;              // Qt keeps its own keyboard state from the same events
}
