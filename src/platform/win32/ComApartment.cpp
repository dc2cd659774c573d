#include "platform/win32/ComApartment.h"

#include <ole2.h>

namespace platform {

namespace {
// OLE, which starts COM's single-threaded apartment too: the new-style folder browser needs
// OLE itself. An apartment belongs to a thread.
thread_local bool started = false;
}  // namespace

void EnsureComApartment() {
    if (!started) started = SUCCEEDED(OleInitialize(nullptr));
}

void EndComApartment() {
    if (!started) return;
    OleUninitialize();
    started = false;
}

}  // namespace platform
