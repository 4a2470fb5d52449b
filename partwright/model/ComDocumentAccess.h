#pragma once

#include "DocumentAccess.h"

#include <windows.h>

namespace pw::model {

// Starts Inventor's Apprentice server by its programmatic identifier and reaches it late-bound,
// by the dispatch identifiers Apprentice has had since its first releases (by name only for
// "DocumentType" and "Adaptive"), without a type library.
class ComServerFactory : public ServerFactory {
public:
    std::shared_ptr<Server> Create(const std::string& progId) override;
};

// Starts the Apprentice server by its class identifier rather than its programmatic identifier.
std::shared_ptr<Server> CreateServerByClass(const CLSID& classId);

} // namespace pw::model
