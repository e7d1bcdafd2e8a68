#include "systemstartup.h"

void prepareSystem() {}
