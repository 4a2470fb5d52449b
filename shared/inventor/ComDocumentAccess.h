#pragma once

#include "DocumentAccess.h"

#include <windows.h>

namespace pw::inventor {

// {C343ED84-A129-11D3-B799-0060B0F159EF}: Apprentice's class.
inline constexpr CLSID kApprenticeClass = {
    0xC343ED84, 0xA129, 0x11D3, {0xB7, 0x99, 0x00, 0x60, 0xB0, 0xF1, 0x59, 0xEF}};

// Starts Inventor's Apprentice server by its programmatic identifier and reaches it late-bound,
// by the dispatch identifiers Apprentice has had since its first releases (by name only for
// "DocumentType" and "Adaptive"), without a type library.
class ComServerFactory : public ServerFactory {
public:
    std::shared_ptr<Server> Create(const std::string& progId) override;
};

// Starts the Apprentice server by its class identifier rather than its programmatic identifier.
std::shared_ptr<Server> CreateServerByClass(const CLSID& classId);

} // namespace pw::inventor
