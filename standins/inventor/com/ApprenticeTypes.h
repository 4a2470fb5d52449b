#pragma once

#include "ApprenticeStandin.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/ComPtr.h"
#include "shared/com/TypedDispatch.h"
#include "shared/core/Failure.h"

namespace pw::standins {

// The stand-in's type library, embedded in its DLL and loaded once.
ITypeLib& ApprenticeTypeLib();

// The interface view of Interface, looked up once.
template <class Interface> com::ComPtr<ITypeInfo> ApprenticeTypeInfo() {
    static const com::ComPtr<ITypeInfo> info =
        com::InterfaceTypeInfo(ApprenticeTypeLib(), __uuidof(Interface));
    return info;
}

// A stand-in object answering Interface from the stand-in's type library.
template <class Interface> class ApprenticeObject : public com::TypedDispatch<Interface> {
protected:
    ApprenticeObject() : com::TypedDispatch<Interface>(ApprenticeTypeInfo<Interface>()) {}
};

// The slot an out-parameter writes into; E_POINTER for a null one.
template <class T> T& Out(T* slot) {
    if (!slot) {
        throw Failure(E_POINTER, "Invalid pointer");
    }
    return *slot;
}

} // namespace pw::standins
