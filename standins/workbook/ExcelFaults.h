#pragma once

#include "partwright/excel/ExcelApi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// How an Excel far away fails, and what happens at each of its calls: the stand-in's server and
// the tests choose, and the workbook in memory is reached through WithFaults.
namespace pw::standins {

struct ExcelFaults {
    bool unreachable = false;        // every call fails, as when Excel has gone away
    bool refuseMacroProject = false; // VBProject access not trusted
    int worksheetAddsLeft = -1;      // Worksheets.Add refused once this reaches 0 (-1: never)

    std::uint64_t calls = 0;      // every member called through the automation interface
    std::function<void()> onCall; // run after each call is counted

    // Fails the call when Excel is unreachable; else counts it and runs onCall.
    void Enter();
};

// `app`, and every object reached through it, with the faults applied before each member.
std::shared_ptr<excel::Application> WithFaults(std::shared_ptr<excel::Application> app,
                                               std::shared_ptr<ExcelFaults> faults);

// Sheets(name) of a workbook reached through WithFaults; "Subscript out of range" when there is
// none.
std::shared_ptr<excel::Worksheet> FindWorksheet(excel::Workbook& book, const std::string& name);

} // namespace pw::standins
