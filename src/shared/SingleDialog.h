#pragma once

#include <QPointer>

// A dialog of which at most one is open. The accessor hands out the open one or makes a new
// one (which deletes itself when closed); a closed dialog is forgotten at once, so a request
// right after closing gets a fresh dialog even before the old one is deleted.
template <class T> class SingleDialog {
public:
    static T* instance() {
        if (!slot())
            slot() = new T; // deletes itself when closed
        return slot();
    }
    static T* openInstance() { return slot(); }
    // From the dialog's close event.
    static void closed(T* dialog) {
        if (slot() == dialog)
            slot() = nullptr;
    }

private:
    static QPointer<T>& slot() {
        static QPointer<T> open;
        return open;
    }
};
