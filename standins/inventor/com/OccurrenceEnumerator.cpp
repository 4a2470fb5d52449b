#include "OccurrenceEnumerator.h"

#include "CountedDispatch.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/ComObject.h"

#include <algorithm>

namespace pw::standins {

HRESULT STDMETHODCALLTYPE OccurrenceEnumerator::Next(ULONG count, VARIANT* items, ULONG* fetched) {
    ApprenticeCalls().fetch_add(1, std::memory_order_relaxed);
    if (!items && count > 0) {
        return E_POINTER;
    }
    ULONG given = 0;
    for (; given < count && next_ < items_.size(); ++given, ++next_) {
        VariantInit(&items[given]);
        VariantCopy(&items[given], const_cast<VARIANT*>(&items_[next_].get()));
    }
    if (fetched) {
        *fetched = given;
    }
    return given == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE OccurrenceEnumerator::Skip(ULONG count) {
    next_ = std::min(items_.size(), next_ + count);
    return next_ < items_.size() ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE OccurrenceEnumerator::Reset() {
    next_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OccurrenceEnumerator::Clone(IEnumVARIANT** copy) {
    if (!copy) {
        return E_POINTER;
    }
    return com::Guarded([&] {
        *copy = com::MakeObject<OccurrenceEnumerator>(items_, next_).detach();
        return S_OK;
    });
}

} // namespace pw::standins
