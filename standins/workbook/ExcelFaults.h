#pragma once

#include <cstdint>
#include <functional>

// How an Excel far away fails, and what happens at each of its calls: the stand-in's server and
// the tests choose, and the stand-in's Excel (MakeStandinApplication) applies them.
namespace pw::standins {

struct ExcelFaults {
    bool unreachable = false;        // every call fails, as when Excel has gone away
    bool refuseMacroProject = false; // VBProject access not trusted
    int worksheetAddsLeft = -1;      // Worksheets.Add refused once this reaches 0 (-1: never)
    bool refuseWorkbookAdd = false;  // Workbooks.Add refused, as with a full disk or a dialog
    int refusedCheckBox = 0;         // the n-th check box added is refused (0: none)
    int checkBoxesAdded = 0;

    std::uint64_t calls = 0;      // every member called through the automation interface
    std::function<void()> onCall; // run after each call is counted

    // Fails the call when Excel is unreachable; else counts it and runs onCall.
    void Enter();
};

} // namespace pw::standins
