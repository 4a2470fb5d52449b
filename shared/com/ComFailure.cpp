#include "ComFailure.h"

#include "TextConvert.h"
#include "UniqueHandle.h"

#include <string>

namespace pw::com {
namespace {

std::string SystemText(HRESULT hr) {
    UniqueLocalMemory buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(buffer.put()), 0, nullptr);
    std::wstring text(buffer ? static_cast<const wchar_t*>(buffer.get()) : L"", length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return WideToUtf8(text);
}

} // namespace

Failure HresultFailure(HRESULT hr, std::string_view what) {
    std::string message(what);
    message += ": ";
    const std::string system = SystemText(hr);
    message += system.empty() ? CodeText(hr) : system + " (" + CodeText(hr) + ")";
    return Failure(hr, message);
}

} // namespace pw::com
