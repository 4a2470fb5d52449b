#pragma once

#include "partwright/shell/ShellHost.h"
#include "shared/core/Failure.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace pw::fakes {

// A process with a chosen command line and executable place, scripted message box answers and
// files kept in memory.
class FakeShellHost : public shell::ShellHost {
public:
    std::string argumentText;
    std::string exeFolder = "C:\\Tools";
    std::string exeName = "Partwright";
    std::deque<int> answers; // Yes (6) when none is left
    struct Shown {
        std::string text;
        std::string caption;
        int style;
    };
    std::vector<Shown> messages;
    std::map<std::string, std::string> files;
    bool folderReadOnly = false;

    std::string ArgumentText() override { return argumentText; }
    std::string ExeFolder() override { return exeFolder; }
    std::string ExeName() override { return exeName; }
    int MsgBox(const std::string& text, const std::string& caption, int style) override {
        messages.push_back({text, caption, style});
        if (answers.empty()) {
            return 6;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool FileExists(const std::string& path) override { return files.contains(path); }
    void RemoveFile(const std::string& path) override {
        RefuseWhenReadOnly(path);
        files.erase(path);
    }
    void WriteTextFile(const std::string& path, const std::string& text) override {
        RefuseWhenReadOnly(path);
        files[path] = text;
    }

private:
    void RefuseWhenReadOnly(const std::string& path) const {
        if (folderReadOnly) {
            throw Failure(static_cast<ResultCode>(0x80070005u), "Access is denied: " + path);
        }
    }
};

} // namespace pw::fakes
