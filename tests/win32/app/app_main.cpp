// The window tests run in a single-threaded apartment with the common controls the window uses.
#include "shared/com/ComApartment.h"

#include <commctrl.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const pw::com::ComApartment apartment;
    if (!apartment) {
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return RUN_ALL_TESTS();
}
