#pragma once

#include "ClassFactory.h"

#include <windows.h>

#include <span>
#include <string>

// The classes of a COM server as one table: DllGetClassObject (or the local server's class
// objects) and the registry entries written by registration and removed, exactly those, by
// unregistration, all read from it.
namespace pw::com {

struct ServerClass {
    CLSID classId;
    const wchar_t* description;
    const wchar_t* progId; // nullptr: the class has no programmatic identifier
    ClassFactory::Creator create;
    // The type library that describes the class and its version ("1.0"), written as the class's
    // TypeLib and Version for class browsers and hosts; nullptr: none.
    const GUID* typeLib = nullptr;
    const wchar_t* typeLibVersion = nullptr;
    // An in-process class that callers of the other bitness reach across processes, through the
    // system's DLL surrogate: an AppID with DllSurrogate, and the class (and its interfaces'
    // marshaling) in the 32-bit registry view too.
    bool surrogate = false;
    // The dual interfaces the type library marshals, for that view.
    std::span<const IID> interfaces = {};
};

enum class ServerKind {
    InProcess, // InprocServer32, apartment-threaded
    Local,     // LocalServer32: an executable started by COM
};

// DllGetClassObject over a table of classes.
HRESULT GetServerClassObject(std::span<const ServerClass> classes, REFCLSID classId, REFIID iid,
                             void** out);

HRESULT RegisterServerClasses(std::span<const ServerClass> classes, ServerKind kind,
                              const std::wstring& modulePath);
HRESULT UnregisterServerClasses(std::span<const ServerClass> classes);

std::wstring GuidText(const GUID& guid);

} // namespace pw::com
