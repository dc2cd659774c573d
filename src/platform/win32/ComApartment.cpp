#include "platform/win32/ComApartment.h"

#include <ole2.h>

namespace platform {

namespace {

// OLE, which starts COM's single-threaded apartment too: the new-style folder browser needs
// OLE itself.
class ComApartment {
public:
    ComApartment() : result_(OleInitialize(nullptr)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) OleUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

}  // namespace

void EnsureComApartment() { static const ComApartment apartment; }

}  // namespace platform
