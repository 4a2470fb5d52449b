#pragma once

#include "UniqueVariant.h"

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <functional>

namespace pw::com {

// A rows x columns array of VARIANTs (bounds from 1, as Excel hands them out) in a VARIANT, for
// one Range.Value call; cell(r, c) gives each element, r and c from 0.
UniqueVariant BlockVariant(std::int32_t rows, std::int32_t columns,
                           const std::function<UniqueVariant(std::int32_t, std::int32_t)>& cell);

// Calls cell(r, c, value) for each element of a two-dimensional array of VARIANTs, r and c from
// 0; a Failure (DISP_E_TYPEMISMATCH) when the VARIANT holds no such array.
void ForEachInBlock(const VARIANT& block, std::int32_t& rows, std::int32_t& columns,
                    const std::function<void(std::int32_t, std::int32_t, const VARIANT&)>& cell);

} // namespace pw::com
