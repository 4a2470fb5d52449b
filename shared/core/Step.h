#pragma once

#include "Failure.h"

#include <string>
#include <utility>

namespace pw {

// Runs one step of a read or write sequence in which a failing step is skipped and the work goes
// on. Only this helper absorbs failures; the caller learns the failure's code (kOk on success).
template <class StepFn> ResultCode RunStep(StepFn&& step) {
    try {
        std::forward<StepFn>(step)();
        return kOk;
    } catch (const Failure& failure) {
        return failure.code();
    }
}

// As RunStep, keeping the failure's text for the report of a step whose loss must be said.
template <class StepFn> ResultCode RunStep(StepFn&& step, std::string& failureText) {
    try {
        std::forward<StepFn>(step)();
        return kOk;
    } catch (const Failure& failure) {
        failureText = failure.what();
        return failure.code();
    }
}

} // namespace pw
