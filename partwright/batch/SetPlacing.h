#pragma once

#include <string>
#include <vector>

namespace pw::batch {

// The files of one set as they are put in place, so that a failure part way can undo them: a file
// placed where there was none goes again, a file placed over another gets the other back from its
// copy. Unless kept or undone, it undoes itself when it goes.
class SetPlacing {
public:
    SetPlacing() = default;
    SetPlacing(const SetPlacing&) = delete;
    SetPlacing& operator=(const SetPlacing&) = delete;
    ~SetPlacing();

    // The file at `path` is about to be placed; `copy` (or nothing) holds what was there.
    void Begin(std::wstring path, std::wstring copy);
    void Placed() { entries_.back().placed = true; }
    // The set is in place: the copies go. A copy that cannot go is left beside its file.
    void Keep() noexcept;
    // Puts back what was there before. Returns what could not be put back, one clause per file,
    // empty when all was; a copy that could not be put back is kept, and named.
    std::string Undo() noexcept;

private:
    struct Entry {
        std::wstring path;
        std::wstring copy;
        bool placed;
    };
    std::vector<Entry> entries_;
    bool settled_ = false;
};

} // namespace pw::batch
