#include "measure.h"

// Paging and the chooser's own work are measured on Linux; under wine only
// ratios mean anything, those of programs on screen.
const std::vector<BenchGroup> &benchGroups()
{
    static const std::vector<BenchGroup> groups{{"onscreen", benchOnScreen}, {"startup", benchStartup}};
    return groups;
}
