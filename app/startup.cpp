#include "startup.h"

#include "chooser/readahead.h"
#include "platform/systemstartup.h"
#include "qtdutch.h"

#include <system_error>

void prepareApplication()
{
    useDutchForQt();
    prepareSystem();
    std::error_code error;
    readAhead(std::filesystem::current_path(error));
}
