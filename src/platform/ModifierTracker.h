#pragma once

#include "platform/Desktop.h"

#include <QAbstractNativeEventFilter>
#include <array>
#include <cstdint>

struct xcb_connection_t;

// The X server's global modifier state, read once and then kept current from the XKB state
// events the server sends to this client (Qt selects them), so that reading it costs no
// round trip and a change is announced at once (the desktop's modifiersChanged).
class ModifierTracker : public QAbstractNativeEventFilter {
public:
    // Null when not on X11 or the server has no XKB.
    static ModifierTracker* instance();

    HeldModifiers held() const { return m_held; }
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

    // The four keys from an X modifier mask, given which mask bits carry Alt and Super.
    static HeldModifiers fromMask(uint mask, uint altMask, uint superMask);

private:
    explicit ModifierTracker(xcb_connection_t* c, uint8_t xkbEvent);
    void readMapping();
    void update(uint mask);

    xcb_connection_t* m_connection = nullptr;
    uint8_t m_xkbEvent = 0;
    uint m_altMask = 0x08;   // Mod1 on nearly every server; read from the mapping
    uint m_superMask = 0x40; // Mod4
    bool m_mappingStale = false;
    HeldModifiers m_held;
};
