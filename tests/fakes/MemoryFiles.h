#pragma once

#include "partwright/batch/OutputFiles.h"
#include "shared/core/CaseFold.h"
#include "shared/core/Failure.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace pw::fakes {

// The batch export's files by path; a set that holds the path the test names fails as a full
// disk would, with nothing of it written. Folders are paths the test names too.
class MemoryFiles : public batch::OutputFiles {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::string failingPath;

    batch::PathHolds At(const std::string& path) override {
        return folders.count(path) != 0 ? batch::PathHolds::Other
               : files.count(path) != 0 ? batch::PathHolds::File
                                        : batch::PathHolds::Nothing;
    }
    std::string SameFileKey(const std::string& path) override { return FoldCase(path); }
    void WriteAll(const std::vector<batch::OutputFile>& set, bool replace) override {
        for (const batch::OutputFile& file : set) {
            if (file.path == failingPath) {
                throw Failure(kEFail, "cannot write " + file.path + ": There is not enough space");
            }
            if (!replace && files.count(file.path) != 0) {
                throw Failure(kEFail, file.path + " exists");
            }
        }
        for (const batch::OutputFile& file : set) {
            files[file.path] = file.bytes;
        }
    }
};

} // namespace pw::fakes
