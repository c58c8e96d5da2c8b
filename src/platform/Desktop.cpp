#include "platform/Desktop.h"

namespace {
std::unique_ptr<Desktop>& current() {
    static std::unique_ptr<Desktop> desktop;
    return desktop;
}
std::function<void()>& changedHandler() {
    static std::function<void()> handler;
    return handler;
}
} // namespace

void Desktop::setModifiersChangedHandler(std::function<void()> handler) {
    changedHandler() = std::move(handler);
}

void Desktop::modifiersChanged() {
    if (changedHandler())
        changedHandler()();
}

Desktop& Desktop::instance() {
    if (!current())
        current() = makeRealDesktop();
    return *current();
}

Desktop* Desktop::setInstance(std::unique_ptr<Desktop> desktop) {
    current() = std::move(desktop);
    return current().get();
}
