// A build without X11 support: activation requests carry the program's own time.

#include "platform/handover_parts.h"

void stampWithServerTime() {}
