#include "measure.h"

const std::vector<BenchGroup> &benchGroups()
{
    static const std::vector<BenchGroup> groups{
        {"paging", benchPaging}, {"chooser", benchChooser}, {"onscreen", benchOnScreen}, {"startup", benchStartup}};
    return groups;
}
