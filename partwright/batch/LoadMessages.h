#pragma once

#include "partwright/model/LoadReport.h"

#include <string>
#include <vector>

namespace pw::batch {

struct ShownMessage {
    std::string text;
    int style = 0;
};

// A load's report kept for the run's own: its messages, each answered as its default button
// answers (OK, or Yes to go on), and whether Apprentice could not be started.
class LoadMessages : public model::LoadReport {
public:
    explicit LoadMessages(std::string assembly) : assembly_(std::move(assembly)) {}

    std::vector<ShownMessage> messages;
    bool apprenticeUnavailable = false;

    std::string AssemblyAsked() override { return assembly_; }
    int Message(const std::string& text, int style) override;
    void ApprenticeUnavailable() override { apprenticeUnavailable = true; }

private:
    std::string assembly_;
};

} // namespace pw::batch
