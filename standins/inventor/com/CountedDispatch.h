#pragma once

#include "shared/com/TypedDispatch.h"

#include <atomic>
#include <cstdint>

namespace pw::standins {

// Every automation call the stand-in Apprentice was asked in this process (Invoke, GetIDsOfNames
// and the enumerator's Next), for the benchmark of what the walk asks of each occurrence: on a
// real Apprentice each is a call across its boundary, and their number is repeatable where the
// machine's time is not.
std::atomic<std::uint64_t>& ApprenticeCalls();

// Leaves the number of calls in the file PARTWRIGHT_APPRENTICE_CALLS_FILE names, if it names one.
void WriteApprenticeCalls();

template <class Interface> class CountedDispatch : public com::TypedDispatch<Interface> {
public:
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        ApprenticeCalls().fetch_add(1, std::memory_order_relaxed);
        return com::TypedDispatch<Interface>::GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        ApprenticeCalls().fetch_add(1, std::memory_order_relaxed);
        return com::TypedDispatch<Interface>::Invoke(id, iid, locale, flags, params, result,
                                                     exception, argumentError);
    }
};

} // namespace pw::standins
