#include "platform/Desktop.h"

namespace {
Desktop* inUse = nullptr;
} // namespace

Desktop& Desktop::instance() {
    if (inUse)
        return *inUse;
    // Without an application context (a tool, a benchmark): the real desktop, kept until
    // the process ends.
    static const std::unique_ptr<Desktop> real = makeRealDesktop();
    return *real;
}

Desktop* Desktop::use(Desktop* desktop) {
    return std::exchange(inUse, desktop);
}
