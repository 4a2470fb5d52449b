#include "ProcessWorkers.h"

#include "shared/com/ComFailure.h"
#include "shared/com/ModulePath.h"
#include "shared/com/TextConvert.h"
#include "shared/com/UniqueHandle.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace pw::batch {
namespace {

using com::UniqueHandle;

// Kills every process assigned to it when its last handle closes: the run's own end.
UniqueHandle WorkersJob() {
    UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
    if (!job) {
        com::ThrowLastError("Creating the workers' job object");
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof limits)) {
        com::ThrowLastError("Setting the workers' job object");
    }
    return job;
}

// One worker from start to end: its standard error read whole, then its exit status.
WorkerEnd RunWorker(HANDLE job, const std::wstring& program,
                    const std::vector<std::string>& arguments) {
    std::wstring commandLine = QuotedArgument(program);
    for (const std::string& argument : arguments) {
        commandLine += L' ' + QuotedArgument(com::Utf8ToWide(argument));
    }
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0)) {
        com::ThrowLastError("Creating a worker's pipe");
    }
    const UniqueHandle reader(readEnd);
    UniqueHandle writer(writeEnd);
    SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writer.get();
    startup.hStdError = writer.get();
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED, nullptr, nullptr, &startup, &started)) {
        com::ThrowLastError("Starting a worker");
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    AssignProcessToJobObject(job, process.get());
    ResumeThread(thread.get());
    writer.reset(); // the worker holds the only write end: its end ends the read

    WorkerEnd end;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(reader.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        end.output.append(buffer, read);
    }
    WaitForSingleObject(process.get(), INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.get(), &status);
    end.exitStatus = status;
    return end;
}

} // namespace

std::wstring QuotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    for (auto c = argument.begin();; ++c) {
        std::size_t backslashes = 0;
        while (c != argument.end() && *c == L'\\') {
            ++c;
            ++backslashes;
        }
        if (c == argument.end()) {
            quoted.append(backslashes * 2, L'\\'); // before the closing quote
            break;
        }
        if (*c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        quoted.push_back(*c);
    }
    quoted.push_back(L'"');
    return quoted;
}

void ProcessWorkers::RunAll(const std::vector<std::vector<std::string>>& jobs, unsigned parallel,
                            const std::function<void(std::size_t job, WorkerEnd end)>& ended) {
    const UniqueHandle job = WorkersJob();
    const std::wstring program = com::ModuleFileName(nullptr);
    std::mutex guard;
    std::condition_variable changed;
    std::deque<std::pair<std::size_t, WorkerEnd>> done;
    std::vector<std::thread> threads;
    std::size_t started = 0;
    std::size_t finished = 0;
    const auto start = [&](std::size_t index) {
        threads.emplace_back([&, index] {
            WorkerEnd end;
            try {
                end = RunWorker(job.get(), program, jobs[index]);
            } catch (const std::exception& failure) {
                end = {std::string("partwright-export: ") + failure.what() + "\n", 1};
            }
            const std::lock_guard lock(guard);
            done.emplace_back(index, std::move(end));
            changed.notify_one();
        });
    };
    for (; started < jobs.size() && started < parallel; ++started) {
        start(started);
    }
    while (finished < jobs.size()) {
        std::unique_lock lock(guard);
        changed.wait(lock, [&] { return !done.empty(); });
        auto [index, end] = std::move(done.front());
        done.pop_front();
        lock.unlock();
        ++finished;
        if (started < jobs.size()) {
            start(started++);
        }
        ended(index, std::move(end));
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

} // namespace pw::batch
