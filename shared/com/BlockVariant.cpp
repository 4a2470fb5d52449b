#include "BlockVariant.h"

#include "ComFailure.h"
#include "UniqueSafeArray.h"

namespace pw::com {

UniqueVariant BlockVariant(std::int32_t rows, std::int32_t columns,
                           const std::function<UniqueVariant(std::int32_t, std::int32_t)>& cell) {
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(rows), 1}, {static_cast<ULONG>(columns), 1}};
    UniqueSafeArray array(SafeArrayCreate(VT_VARIANT, 2, bounds));
    if (!array.get()) {
        throw Failure(E_OUTOFMEMORY, "Out of memory");
    }
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < columns; ++c) {
            LONG at[2] = {r + 1, c + 1};
            UniqueVariant value = cell(r, c);
            ThrowIfFailed(SafeArrayPutElement(array.get(), at, const_cast<VARIANT*>(&value.get())),
                          "Filling a block of values");
        }
    }
    VARIANT held;
    VariantInit(&held);
    held.vt = VT_ARRAY | VT_VARIANT;
    held.parray = array.release();
    return UniqueVariant::Attach(held);
}

void ForEachInBlock(const VARIANT& block, std::int32_t& rows, std::int32_t& columns,
                    const std::function<void(std::int32_t, std::int32_t, const VARIANT&)>& cell) {
    const VARIANT& value =
        block.vt == (VT_VARIANT | VT_BYREF) && block.pvarVal ? *block.pvarVal : block;
    if (value.vt != (VT_ARRAY | VT_VARIANT) || !value.parray ||
        SafeArrayGetDim(value.parray) != 2) {
        throw Failure(DISP_E_TYPEMISMATCH, "Type mismatch");
    }
    LONG firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
    SafeArrayGetLBound(value.parray, 1, &firstRow);
    SafeArrayGetUBound(value.parray, 1, &lastRow);
    SafeArrayGetLBound(value.parray, 2, &firstColumn);
    SafeArrayGetUBound(value.parray, 2, &lastColumn);
    rows = lastRow - firstRow + 1;
    columns = lastColumn - firstColumn + 1;
    for (LONG r = firstRow; r <= lastRow; ++r) {
        for (LONG c = firstColumn; c <= lastColumn; ++c) {
            LONG at[2] = {r, c};
            UniqueVariant element;
            ThrowIfFailed(SafeArrayGetElement(value.parray, at, element.put()),
                          "Reading a block of values");
            cell(r - firstRow, c - firstColumn, element.get());
        }
    }
}

} // namespace pw::com
