#pragma once

#include "shared/com/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace pw::tests {

// A process the test started, with its handles; `process` stays invalid when it did not start.
struct StartedProcess {
    com::UniqueHandle process;
    com::UniqueHandle thread;
};

inline StartedProcess StartProcess(std::wstring command) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return {};
    }
    return {com::UniqueHandle(started.hProcess), com::UniqueHandle(started.hThread)};
}

} // namespace pw::tests
