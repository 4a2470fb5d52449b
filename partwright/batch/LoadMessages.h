#pragma once

#include "FilePictures.h"
#include "partwright/model/LoadReport.h"

#include <string>
#include <vector>

namespace pw::batch {

struct ShownMessage {
    std::string text;
    int style = 0;
};

// A load's report kept for the run's own: its messages, each answered as its default button
// answers (OK, or Yes to go on), and whether Apprentice could not be started; with `pictures`,
// the files' pictures taken as the load reads them.
class LoadMessages : public model::LoadReport {
public:
    explicit LoadMessages(std::string assembly, PictureCapture* pictures = nullptr)
        : assembly_(std::move(assembly)), pictures_(pictures) {}

    std::vector<ShownMessage> messages;
    bool apprenticeUnavailable = false;

    std::string AssemblyAsked() override { return assembly_; }
    int Message(const std::string& text, int style) override;
    void ApprenticeUnavailable() override { apprenticeUnavailable = true; }
    void FileRead(const std::string& fullFileName, inventor::Document& document) override {
        if (pictures_) {
            pictures_->FileRead(fullFileName, document);
        }
    }

private:
    std::string assembly_;
    PictureCapture* pictures_;
};

} // namespace pw::batch
