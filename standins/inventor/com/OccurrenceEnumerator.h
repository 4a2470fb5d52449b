#pragma once

#include "shared/com/ComObject.h"
#include "shared/com/UniqueVariant.h"

#include <oaidl.h>

#include <cstddef>
#include <vector>

namespace pw::standins {

// Hands out the occurrences of a list one by one, as For Each does.
class OccurrenceEnumerator final : public com::ComObject<IEnumVARIANT> {
public:
    OccurrenceEnumerator(std::vector<com::UniqueVariant> items, std::size_t next)
        : items_(std::move(items)), next_(next) {}

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override;

protected:
    bool Answers(REFIID iid) const override { return iid == IID_IEnumVARIANT; }

private:
    std::vector<com::UniqueVariant> items_;
    std::size_t next_;
};

} // namespace pw::standins
