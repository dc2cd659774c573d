#pragma once

#include <memory>

#include "model/CCommands.h"

// The shared command collection: the one menu on screen. Windows read it afresh whenever they
// need the menu and keep no reference to it, since opening another file or saving in the editor
// replaces it.
namespace model {

// The shared collection, created empty on first use.
CCommands& Commands();
// Replaces the shared collection; null leaves a new empty one to be created on next use.
void SetCommands(std::shared_ptr<CCommands> commands);

}  // namespace model
