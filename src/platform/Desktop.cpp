#include "platform/Desktop.h"

namespace {
std::unique_ptr<Desktop>& current() {
    static std::unique_ptr<Desktop> desktop;
    return desktop;
}
} // namespace

Desktop& Desktop::instance() {
    if (!current())
        current() = makeRealDesktop();
    return *current();
}

Desktop* Desktop::setInstance(std::unique_ptr<Desktop> desktop) {
    current() = std::move(desktop);
    return current().get();
}
