#include "platform/files/SaveFaults.h"

#include <optional>

namespace platform::files {
namespace {
std::optional<SaveStep> failingStep;
}

void FailNextSaveAt(SaveStep step) { failingStep = step; }

bool SaveStepFails(SaveStep step) {
    if (failingStep != step) return false;
    failingStep.reset();
    return true;
}

}  // namespace platform::files
