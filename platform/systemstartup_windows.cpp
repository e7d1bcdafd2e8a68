#include "platform/systemstartup.h"

#include <windows.h>

void prepareSystem()
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}
