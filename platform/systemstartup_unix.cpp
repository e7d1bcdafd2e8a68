#include "platform/systemstartup.h"

void prepareSystem() {}
