#pragma once

#include "shared/core/Failure.h"

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

// Reads a VARIANT as one type, with automation's conversions (VariantChangeType); a value that
// does not convert raises the Failure that VariantChangeType reports.
namespace pw::com {

std::string TextOf(const VARIANT& value);
std::int32_t Int32Of(const VARIANT& value);
double DoubleOf(const VARIANT& value);
bool BoolOf(const VARIANT& value);

} // namespace pw::com
