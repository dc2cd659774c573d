#include "platform/Application.h"

namespace platform {

namespace {
Application& Instance() {
    static Application app;
    return app;
}
}  // namespace

const Application& App() { return Instance(); }

void SetApp(Application app) { Instance() = std::move(app); }

}  // namespace platform
