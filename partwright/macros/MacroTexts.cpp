#include "MacroTexts.h"

#include "partwright/excel/BomColumns.h"
#include "shared/core/Checked.h"
#include "shared/core/NumberText.h"

#include <initializer_list>

namespace pw::macros {
namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\r';
    }
    return text;
}

} // namespace

std::string PreviewImageText(std::int16_t indentColumns) {
    const std::string folderColumn =
        IntegerText(checked::Add<std::int16_t>(indentColumns, excel::indented::kPath));
    const std::string nameColumn =
        IntegerText(checked::Add<std::int16_t>(indentColumns, excel::indented::kFilename));
    return Lines({
        "Public Sub PreviewImage()",
        "Dim obj As Object",
        "Set obj = CreateObject(\"Peekpane.ivImagePreview\")",
        "Dim excelSheet As Worksheet",
        "Set excelSheet = Excel.ActiveSheet",
        "Dim rownum As Integer",
        "rownum = ActiveCell.Row",
        "Dim FN As String",
        "If (excelSheet.Name = \"Summary BOM\") Then",
        "    FN = Cells(rownum, " + IntegerText(excel::summary::kPath) +
            ").Value & Cells(rownum, " + IntegerText(excel::summary::kFilename) + ").Value",
        "     obj.ShowPreviewImage FN",
        "ElseIf excelSheet.Name = \"Indented BOM\" Then",
        "    FN = Cells(rownum, " + folderColumn + ").Value & Cells(rownum, " + nameColumn +
            ").Value",
        "    obj.ShowPreviewImage FN",
        "Else",
        "    MsgBox \"You must be in a summary or indented Bom\"",
        "End If",
        "End Sub",
    });
}

std::string FindMe2Text() {
    return Lines({
        "Sub FindMe2()",
        "Dim Level As String, oShape As Shape, oShapes As Shapes, i As Long, OnOff As Long",
        "Set oShapes = ActiveSheet.Shapes",
        "Set oShape = oShapes.Item(Application.Caller)",
        "Level = Mid(oShape.AlternativeText, 2)",
        "OnOff = oShape.ControlFormat.Value",
        "Application.ScreenUpdating = False",
        "For i = oShape.ZOrderPosition + 1 To oShapes.Count",
        "    With oShapes.Item(i)",
        "    If (Mid(.AlternativeText, 2) = Level) Or .FormControlType <> xlCheckBox Then Exit Sub",
        "    .ControlFormat.Value = OnOff",
        "    End With",
        "Next",
        "Application.ScreenUpdating = True",
        "End Sub",
    });
}

std::string AddPartToAssyText() {
    using namespace excel::indented;
    return Lines({
        "Public Sub AddPartToAssy()",
        "Dim oApp As Object, aSheet As Worksheet, cbXs As Shapes, cbX As Shape, FN As String, "
        "oPart As Object",
        "Set aSheet = ActiveSheet",
        "On Error Resume Next",
        "Set oApp = GetObject(, \"Inventor.Application\")",
        "If Err.Number <> 0 Then",
        "    Set oApp = CreateObject(\"Inventor.Application\")",
        "    Err.Clear",
        "End If",
        "oApp.Visible = True",
        "Dim oFile As String, oMatrix",
        "Set oMatrix = oApp.TransientGeometry.CreateMatrix",
        "FN = oApp.Preferences.Item(1).Templatedir + \"Standard.iam\"",
        "oApp.Documents.Add &H3003, FN, True",
        "oApp.TransactionManager.StartTransaction oApp.ActiveDocument, \"Creating New Assembly "
        "from Excel\"",
        "For Each cbX In aSheet.Shapes",
        "    If cbX.FormControlType = xlCheckBox Then",
        "        If cbX.ControlFormat.Value = 1 And (Left(cbX.AlternativeText, 1) = \"P\") Then",
        "        Dim xRow As Integer, xCol As Integer",
        "        xRow = aSheet.Range(cbX.ControlFormat.LinkedCell).Row",
        // The matrix column, reached from the check box's linked cell in the level column.
        "        xCol = aSheet.Range(cbX.ControlFormat.LinkedCell).Column + " +
            IntegerText(kMatrix - kLevel),
        "        FN = Cells(xRow, xCol - " + IntegerText(kMatrix - kPath) +
            ") + Cells(xRow, xCol - " + IntegerText(kMatrix - kFilename) + ").Value",
        "        Call FillTMatrix(oMatrix, Cells(xRow, xCol).Value)",
        "        Set oPart = oApp.ActiveDocument.ComponentDefinition.Occurrences.Add(FN, oMatrix)",
        "        oPart.grounded = True",
        "        End If",
        "    End If",
        "Next",
        "oApp.TransactionManager.EndTransaction",
        "oApp.ActiveView.Update",
        "End Sub",
    });
}

std::string FillTMatrixText() {
    return Lines({
        "Sub FillTMatrix(oMtx, sVals As String)",
        "Dim mpos As Integer, nStr As String, nStart As Integer, nStop As Integer, i As Integer, "
        "dblAr(15) As Double",
        "nStop = Len(sVals)",
        "mpos = 1",
        "nStart = 1",
        "i = 0",
        "Do While mpos <> nStop + 1",
        "    mpos = InStr(nStart, sVals, \",\", vbTextCompare)",
        "    If mpos = 0 Then mpos = nStop + 1",
        "    nStr = Mid(sVals, nStart, mpos - nStart)",
        "    dblAr(i) = Val(nStr)", // "." whatever the locale, as the matrix text is written
        "    i = i + 1",
        "    nStart = mpos + 1",
        "Loop",
        "oMtx.putmatrixdata dblAr",
        "End Sub",
    });
}

} // namespace pw::macros
