#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// One process-wide instance of a service, installed by start-up or by a test for the lifetime
// of a Scope; a Scope puts the previous instance back when it ends.
template <class T>
class Installed {
public:
    static T& Get() {
        if (!current_) throw std::logic_error("service used before it was installed");
        return *current_;
    }

    class Scope {
    public:
        explicit Scope(T& instance) : previous_(current_) { current_ = &instance; }
        ~Scope() { current_ = previous_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        T* previous_;
    };

private:
    static inline T* current_ = nullptr;
};

}  // namespace platform
