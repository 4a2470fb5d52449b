#include "TypedDispatch.h"

#include "ComFailure.h"
#include "ModulePath.h"

namespace pw::com {

HRESULT LoadEmbeddedTypeLib(const void* address, REGKIND kind, ITypeLib** library) {
    const std::wstring path = ModulePathOf(address);
    return LoadTypeLibEx(path.c_str(), kind, library);
}

ITypeLib& OwnTypeLib() {
    static const ComPtr<ITypeLib> library = [] {
        ComPtr<ITypeLib> loaded;
        ThrowIfFailed(LoadEmbeddedTypeLib(reinterpret_cast<const void*>(&OwnTypeLib), REGKIND_NONE,
                                          loaded.put()),
                      "Loading the module's type library");
        return loaded;
    }();
    return *library.get();
}

ComPtr<ITypeInfo> InterfaceTypeInfo(ITypeLib& library, REFIID iid) {
    ComPtr<ITypeInfo> described;
    ThrowIfFailed(library.GetTypeInfoOfGuid(iid, described.put()), "Finding an interface");
    TYPEATTR* attributes = nullptr;
    ThrowIfFailed(described->GetTypeAttr(&attributes), "Reading an interface's attributes");
    const bool dispatchView = attributes->typekind == TKIND_DISPATCH;
    described->ReleaseTypeAttr(attributes);
    if (!dispatchView) {
        return described;
    }
    // A dual interface's dispatch view refers to its interface view at index -1.
    HREFTYPE interfaceView = 0;
    ThrowIfFailed(described->GetRefTypeOfImplType(static_cast<UINT>(-1), &interfaceView),
                  "Finding an interface's table");
    ComPtr<ITypeInfo> table;
    ThrowIfFailed(described->GetRefTypeInfo(interfaceView, table.put()),
                  "Finding an interface's table");
    return table;
}

} // namespace pw::com
