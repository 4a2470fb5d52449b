#include "ApprenticeTypes.h"

#include "shared/com/ComFailure.h"

namespace pw::standins {

ITypeLib& ApprenticeTypeLib() {
    static const com::ComPtr<ITypeLib> library = [] {
        com::ComPtr<ITypeLib> loaded;
        com::ThrowIfFailed(
            com::LoadEmbeddedTypeLib(reinterpret_cast<const void*>(&ApprenticeTypeLib),
                                     REGKIND_NONE, loaded.put()),
            "Loading the stand-in's type library");
        return loaded;
    }();
    return *library.get();
}

} // namespace pw::standins
