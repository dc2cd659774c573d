// Linked into each program as an object of its own, never from the library, so that it takes
// the place of the GNU runtime's default terminate handler, which writes to a console these
// programs do not have and links in the C++ demangler to do it (some 55 KB).
#include "app/win32/UnexpectedError.h"

#ifdef __GLIBCXX__
namespace __gnu_cxx {
void __verbose_terminate_handler() { app::ReportTermination(); }
}  // namespace __gnu_cxx
#endif
