// Partwright: bill of materials from an Inventor assembly, on to Excel.
#include "frmTree.h"
#include "partwright/excel/ComExcel.h"
#include "partwright/shell/Advapi32Registry.h"
#include "partwright/shell/WindowsShellHost.h"
#include "shared/com/ComApartment.h"
#include "shared/inventor/ComDocumentAccess.h"
#include "shared/thumbnail/LegacyThumbnailCom.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    const pw::com::ComApartment apartment;
    if (!apartment) {
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    pw::inventor::ComServerFactory servers;
    pw::excel::ComExcelLauncher excel;
    pw::thumbnail::ComLegacyReaderFactory legacy;
    pw::shell::WindowsShellHost host;
    pw::shell::Advapi32Registry registry;
    pw::app::frmTree window({servers, excel, legacy, host, registry, [] { ExitProcess(0); }});
    const HWND handle = window.Create(showCommand);
    MSG message;
    while (handle && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.Handle() || !IsDialogMessageW(window.Handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return handle ? 0 : 1;
}
