#pragma once

#include "partwright/model/ViewPorts.h"

#include <string>
#include <vector>

namespace pw::batch {

// A tree that is not drawn: it numbers its nodes as the window's tree does, and that is all.
class UndrawnTree : public model::TreePort {
public:
    model::NodeIndex AddNode(model::NodeIndex, const std::string&, const std::string&) override {
        return ++nodes_;
    }
    void SetNodeColor(model::NodeIndex, std::int32_t) override {}
    void Expand(model::NodeIndex) override {}
    void Clear() override { nodes_ = 0; }

private:
    model::NodeIndex nodes_ = 0;
};

struct ShownMessage {
    std::string text;
    int style = 0;
};

// The load's window when there is none: it draws nothing, answers each message box with its
// default button (OK, or Yes to go on) and keeps the messages for the report.
class SilentLoadView : public model::LoadPort {
public:
    explicit SilentLoadView(std::string fileName) : fileName_(std::move(fileName)) {}

    std::vector<ShownMessage> messages;
    bool ended = false; // the load ended the program: Apprentice could not be started

    std::string FileNameText() override { return fileName_; }
    model::TreePort& Tree() override { return tree_; }
    int MsgBox(const std::string& text, const std::string& caption, int style) override;
    void EndProgram() override { ended = true; }

    void SetStatus(const std::string&) override {}
    void DoEvents() override {}
    void ClearList1() override {}
    void AddList1Row(const std::string&) override {}
    void ClearResults() override {}
    void AddResult(const std::string&) override {}
    void SetHourglass(bool) override {}
    void ShowThumbnail(const std::string&) override {}

private:
    std::string fileName_;
    UndrawnTree tree_;
};

} // namespace pw::batch
