#include "ComBoundary.h"

#include "ComPtr.h"
#include "TextConvert.h"
#include "shared/core/Failure.h"

#include <oaidl.h>
#include <oleauto.h>

#include <new>

namespace pw::com {
namespace {

void SetErrorText(const char* message) noexcept {
    try {
        ComPtr<ICreateErrorInfo> created;
        if (FAILED(CreateErrorInfo(created.put()))) {
            return;
        }
        std::wstring text = Utf8ToWide(message);
        created->SetDescription(text.data());
        ComPtr<IErrorInfo> info = created.try_query<IErrorInfo>();
        SetErrorInfo(0, info.get());
    } catch (...) {
        // The code alone still reaches the caller.
    }
}

} // namespace

HRESULT HresultOfCaughtException() noexcept {
    try {
        throw;
    } catch (const Failure& failure) {
        SetErrorText(failure.what());
        // A failure must never read as success, whatever code it was given.
        return failure.code() < 0 ? static_cast<HRESULT>(failure.code()) : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace pw::com
