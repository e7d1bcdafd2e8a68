#include "platform/systemstartup.h"

#include <windows.h>

void prepareSystem()
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // A library loaded from now on is looked for beside the program and in
    // the system's folders, never in the working folder, which may lie on a
    // network drive that has stopped answering.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
}
