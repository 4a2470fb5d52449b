// The Windows tests run in a single-threaded apartment, as the program and Excel macros do.
#include "shared/com/ComApartment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const pw::com::ComApartment apartment;
    if (!apartment) {
        return 2;
    }
    return RUN_ALL_TESTS();
}
