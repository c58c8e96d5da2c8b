#include "platform/WindowSystem.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <vector>
#include <xcb/xcb.h>

xcb_connection_t* X11Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

namespace {

xcb_atom_t internAtom(xcb_connection_t* c, const char* name, bool onlyIfExists = false) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, onlyIfExists, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

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

// The window system of an X server, through Qt's connection to it. It follows the owner of
// the compositor's selection (_NET_WM_CM_S0): Qt asks the server for that selection's events
// of the XFIXES extension itself, so each change of owner arrives as such an event, which is
// read here as it passes.
class X11WindowSystem : public WindowSystem, public QAbstractNativeEventFilter {
public:
    ~X11WindowSystem() override {
        if (m_watching && QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        // The wire layout of the extension's selection event, as far as it is read here.
        struct SelectionNotify {
            uint8_t responseType, subtype;
            uint16_t sequence;
            uint32_t window, owner, selection;
        };
        const auto* event = static_cast<const SelectionNotify*>(message);
        if (m_selectionEvent && (event->responseType & 0x7f) == m_selectionEvent &&
            event->selection == m_compositorSelection) {
            const bool active = compositingActive();
            if (active != m_compositing) {
                m_compositing = active;
                Q_EMIT compositingChanged();
            }
        }
        return false;
    }

    bool compositingActive() override {
        xcb_connection_t* c = connection();
        if (!c)
            return QGuiApplication::platformName() != QLatin1String("xcb");
        if (m_compositorSelection == XCB_ATOM_NONE)
            return false;
        // One round trip: the selection's owner, asked every time.
        xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
            c, xcb_get_selection_owner(c, m_compositorSelection), nullptr);
        const bool active = owner && owner->owner != XCB_NONE;
        free(owner);
        return active;
    }

    std::optional<WindowOnServer> serverState(QWidget* window) override {
        xcb_connection_t* c = connection();
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
        xcb_get_window_attributes_reply_t* map =
            xcb_get_window_attributes_reply(c, mapCookie, nullptr);
        std::optional<WindowOnServer> state;
        if (place && size && map) {
            // The server speaks device pixels; the window's geometry is in the scaled units.
            const qreal dpr = window->devicePixelRatioF();
            state = WindowOnServer{QRectF(place->dst_x / dpr, place->dst_y / dpr, size->width / dpr,
                                          size->height / dpr)
                                       .toRect(),
                                   map->map_state == XCB_MAP_STATE_VIEWABLE};
        }
        free(place);
        free(size);
        free(map);
        return state;
    }

    bool pointerButtonHeld() override {
        xcb_connection_t* c = connection();
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

    void keepOutOfTaskbar(QWidget* window) override {
        xcb_connection_t* c = connection();
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

    void keepOutOfTaskbarOnceMapped(QWidget* window) override {
        xcb_connection_t* c = connection();
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
                           XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                               XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                           reinterpret_cast<const char*>(&message));
        }
        if (!missing.empty())
            xcb_flush(c);
    }

private:
    // Qt's connection; at the first use with one, the compositor's selection is watched from
    // then on.
    xcb_connection_t* connection() {
        xcb_connection_t* c = X11Connection();
        if (!c || m_watching)
            return c;
        m_watching = true;
        const char name[] = "XFIXES";
        xcb_query_extension_reply_t* extension = xcb_query_extension_reply(
            c, xcb_query_extension(c, uint16_t(strlen(name)), name), nullptr);
        if (extension && extension->present)
            m_selectionEvent = extension->first_event; // its selection event is the first
        free(extension);
        m_compositorSelection = internAtom(c, "_NET_WM_CM_S0");
        m_compositing = compositingActive();
        QCoreApplication::instance()->installNativeEventFilter(this);
        return c;
    }

    bool m_watching = false;
    uint8_t m_selectionEvent = 0;
    xcb_atom_t m_compositorSelection = XCB_ATOM_NONE;
    bool m_compositing = false;
};

} // namespace

std::unique_ptr<WindowSystem> makeRealWindowSystem() {
    return std::make_unique<X11WindowSystem>();
}
