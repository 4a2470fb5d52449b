#pragma once

#include "partwright/export/ExportPorts.h"

#include <string>
#include <vector>

namespace pw::fakes {

// The main window's export options and status line, as the export reads and writes them.
class OptionsView : public excel::ExportView {
public:
    int indented = 1;
    int builder = 0;
    int hyperlinks = 0;
    std::vector<std::string> statuses;
    int yields = 0;

    // Every option ticked.
    static OptionsView AllTicked() {
        OptionsView options;
        options.builder = 1;
        options.hyperlinks = 1;
        return options;
    }

    std::vector<std::string> messages; // each message box's text, answered with its default

    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    int MsgBox(const std::string& text, const std::string&, int) override {
        messages.push_back(text);
        return 1;
    }
    void DoEvents() override { ++yields; }
    int optionReads = 0; // how often the export asked for a check box

    int Check1Value() override { return ++optionReads, indented; }
    int chkBuildValue() override { return ++optionReads, builder; }
    int chkSetHyperlinksValue() override { return ++optionReads, hyperlinks; }
};

} // namespace pw::fakes
