// What the setup test asks of Windows inside the prefix the setup program installed into.
//   setup_checks version FILE        prints FILE's version (major.minor.patch)
//   setup_checks create PROGID       creates the class by its programmatic identifier
//   setup_checks run-and-close EXE   starts the program, closes its window once it is shown,
//                                    and waits for it to end
#include "shared/com/ComApartment.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int Version(const wchar_t* file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    std::vector<unsigned char> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoW(file, 0, size, data.data()) ||
        !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        std::fprintf(stderr, "no version information\n");
        return 1;
    }
    std::printf("%u.%u.%u\n", static_cast<unsigned>(HIWORD(fixed->dwFileVersionMS)),
                static_cast<unsigned>(LOWORD(fixed->dwFileVersionMS)),
                static_cast<unsigned>(HIWORD(fixed->dwFileVersionLS)));
    return 0;
}

int Create(const wchar_t* progId) {
    const pw::com::ComApartment apartment;
    if (!apartment) {
        return 1;
    }
    CLSID classId{};
    IUnknown* object = nullptr;
    HRESULT hr = CLSIDFromProgID(progId, &classId);
    if (SUCCEEDED(hr)) {
        hr = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                              reinterpret_cast<void**>(&object));
    }
    if (object) {
        object->Release();
    }
    std::printf("0x%08lX\n", static_cast<unsigned long>(hr));
    return SUCCEEDED(hr) ? 0 : 1;
}

int RunAndClose(const wchar_t* program) {
    std::wstring command = L"\"" + std::wstring(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 1;
    }
    HWND window = nullptr;
    for (int i = 0; i < 400 && !window; ++i) {
        Sleep(50);
        window = FindWindowW(L"PartwrightTree", nullptr);
    }
    if (window) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window && ended ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"version") {
        return Version(argv[2]);
    }
    if (argc == 3 && std::wstring(argv[1]) == L"create") {
        return Create(argv[2]);
    }
    if (argc == 3 && std::wstring(argv[1]) == L"run-and-close") {
        return RunAndClose(argv[2]);
    }
    std::fprintf(stderr, "usage: setup_checks version FILE | create PROGID | run-and-close EXE\n");
    return 2;
}
