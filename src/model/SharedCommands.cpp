#include "model/SharedCommands.h"

#include <utility>

namespace model {
namespace {

std::shared_ptr<CCommands>& Shared() {
    static std::shared_ptr<CCommands> shared;
    return shared;
}

}  // namespace

CCommands& Commands() {
    std::shared_ptr<CCommands>& shared = Shared();
    if (!shared) shared = std::make_shared<CCommands>();
    return *shared;
}

void SetCommands(std::shared_ptr<CCommands> commands) { Shared() = std::move(commands); }

}  // namespace model
