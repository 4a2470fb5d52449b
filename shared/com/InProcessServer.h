#pragma once

#include "ServerRegistration.h"

#include <span>

namespace pw::com {

// What the four exports of an in-process server serve: its classes, and what its registration
// adds beyond them (a type library), undone before the classes are.
struct InProcessServer {
    std::span<const ServerClass> classes;
    HRESULT (*registerMore)() = nullptr;
    HRESULT (*unregisterMore)() = nullptr;
};

// Each in-process server defines this once; the exports in InProcessExports.cpp serve it.
extern const InProcessServer kInProcessServer;

} // namespace pw::com
