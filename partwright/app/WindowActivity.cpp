#include "WindowActivity.h"

#include <utility>

namespace pw::app {

WindowActivity::Work::Work(WindowActivity& activity, State work)
    : activity_(activity), work_(work) {
    if (activity_.state_ == State::Idle) {
        activity_.state_ = work;
    }
}

WindowActivity::Work::~Work() {
    if (activity_.state_ == work_) {
        activity_.state_ = State::Idle;
    }
}

bool WindowActivity::HoldWhileBusy(std::function<void()> action) {
    if (!Busy()) {
        return false;
    }
    held_.push_back(std::move(action));
    return true;
}

bool WindowActivity::CloseWaitsForWork() {
    if (!Busy()) {
        return false;
    }
    state_ = State::Closing;
    return true;
}

bool WindowActivity::RunHeld(const std::function<bool()>& open) {
    if (state_ == State::Closing) {
        return false;
    }
    for (const auto& action : std::exchange(held_, {})) {
        if (!open() || state_ == State::Closing) {
            break; // a held Exit or close ended the window: the rest is for nothing
        }
        action();
    }
    return state_ != State::Closing;
}

bool WindowActivity::TakeOwedLoad() noexcept {
    return std::exchange(loadOwed_, false);
}

} // namespace pw::app
