#pragma once

#include "partwright/model/LoadReport.h"

#include <string>

namespace pw::excel {

// The main window as the export and the macro writer see it: the status line and the three
// option check boxes, read at the moment of use (0 clear, 1 ticked, 2 greyed).
class ExportView : public model::StatusPort {
public:
    virtual int Check1Value() = 0;           // "Use Indented Columns"
    virtual int chkBuildValue() = 0;         // "Make Builder"
    virtual int chkSetHyperlinksValue() = 0; // "Add Hyperlinks"
    // Shows a modal message box captioned `caption` and returns the answer.
    virtual int MsgBox(const std::string& text, const std::string& caption, int style) = 0;
};

} // namespace pw::excel
