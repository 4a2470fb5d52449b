#pragma once

#include "shared/com/ServerRegistration.h"

#include <windows.h>

#include <span>
#include <string_view>
#include <vector>

namespace pw::com {

// How a local server's executable was started.
enum class LocalStart {
    Register,   // /RegServer
    Unregister, // /UnregServer
    Automation, // by COM for a client: -Embedding or /Automation
    User,       // as a person starts a program
};
LocalStart LocalStartOf(std::wstring_view commandLine);

// Offers each class to COM for a single creation, so that every client's creation starts a new
// process, as Office does; withdrawn when this object goes. The class objects live as long as
// the process and hold no module reference, so the process ends with the last object it handed
// out.
class SingleUseClasses {
public:
    explicit SingleUseClasses(std::span<const ServerClass> classes);
    ~SingleUseClasses();
    SingleUseClasses(const SingleUseClasses&) = delete;
    SingleUseClasses& operator=(const SingleUseClasses&) = delete;

private:
    std::vector<DWORD> cookies_;
};

// Runs the thread's messages until WM_QUIT.
void RunMessages();

} // namespace pw::com
