#pragma once

#include <functional>
#include <vector>

namespace pw::app {

// What the window is doing, and the one rule for what the user does meanwhile: while a load or
// an export runs, clicks wait and run in the order they came once it has ended; a close hides
// the window at once and ends it after the work, which then runs nothing that waited.
class WindowActivity {
public:
    enum class State { Idle, Loading, Exporting, Closing };

    // The work of a scope: the window is in `work` until the scope ends, unless it was closed
    // meanwhile, in which case it stays closing.
    class Work {
    public:
        Work(WindowActivity& activity, State work);
        ~Work();
        Work(const Work&) = delete;
        Work& operator=(const Work&) = delete;

    private:
        WindowActivity& activity_;
        State work_;
    };

    State Now() const noexcept { return state_; }
    bool Busy() const noexcept { return state_ != State::Idle; }

    // Keeps `action` for the end of the running work; false (and nothing kept) when idle.
    bool HoldWhileBusy(std::function<void()> action);
    // A close asked for: true when work runs, which the close must wait for.
    bool CloseWaitsForWork();
    // After the work: runs what waited, in order, while `open` says the window is still there
    // and no close came; false when a close came and the window is to go.
    bool RunHeld(const std::function<bool()>& open);

    // The file-name box was left for another control: its load is owed before the next click.
    void OweLoad() noexcept { loadOwed_ = true; }
    // Whether a load was owed; it is no longer.
    bool TakeOwedLoad() noexcept;

private:
    State state_ = State::Idle;
    bool loadOwed_ = false;
    std::vector<std::function<void()>> held_;
};

} // namespace pw::app
