// Dies in the middle of writing a file, as a killed partwright-export would:
//   atomic_file_child PATH   writes half of a new content through an AtomicFile, then ends the
//                            process at once, with no destructor or handler run.
#include "partwright/batch/AtomicFile.h"

#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        return 2;
    }
    pw::batch::AtomicFile file(argv[1]);
    file.Write(std::string(1 << 20, 'n'));
    TerminateProcess(GetCurrentProcess(), 3);
    return 0;
}
