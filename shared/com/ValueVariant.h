#pragma once

#include "UniqueVariant.h"
#include "shared/core/Value.h"

#include <windows.h>
#include <oaidl.h>

// Values (empty, text, whole number, double, truth value) to and from automation's VARIANT.
namespace pw::com {

UniqueVariant VariantOf(const Value& value);
// Whole numbers up to 32 bits stay whole; other numbers and dates become doubles; anything else
// that converts becomes text.
Value ValueOf(const VARIANT& value);

} // namespace pw::com
