#include "startup.h"

#include "app/qtdutch.h"
#include "chooser/readahead.h"
#include "platform/systemstartup.h"

#include <system_error>

void prepareApplication()
{
    useDutchForQt();
    prepareSystem();
    std::error_code error;
    readAhead(std::filesystem::current_path(error));
}
