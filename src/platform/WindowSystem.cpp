#include "platform/WindowSystem.h"

namespace {
std::unique_ptr<WindowSystem>& current() {
    static std::unique_ptr<WindowSystem> system;
    return system;
}
} // namespace

WindowSystem& WindowSystem::instance() {
    if (!current())
        current() = makeRealWindowSystem();
    return *current();
}

WindowSystem* WindowSystem::setInstance(std::unique_ptr<WindowSystem> system) {
    current() = std::move(system);
    return current().get();
}
