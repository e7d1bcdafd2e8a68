// The chooser's first opening on a real desktop, in a folder of 40 entries
// and in one of 100,000 files: a user's wait from the click on "Bestand
// openen" to the chooser on screen. Each run is a fresh program
// (chooser_first_open), the two folders in turn, so that a change in the
// machine's load falls on both alike. The click comes half a second after the
// main window is on screen, as soon as a person could find the button, and,
// the harder case, at once; timed until the file list shows its first names.

#include "measure.h"
#include "scratchfolders.h"
#include "sibling.h"

#include <QTemporaryDir>
#include <string>

void benchOnScreen()
{
    QTemporaryDir scratch;
    const QString small = makeFolder(scratch.path(), "40", 30, 10);
    const QString large = makeFolder(scratch.path(), "100k", 100'000, 0);
    for (const auto &[clickAfter, suffix] : {std::pair(500, ""), {0, "_at_once"}}) {
        std::vector<double> smallTimes, largeTimes;
        for (int i = 0; i < 11; ++i) {
            smallTimes.push_back(chooserFirstOpenMilliseconds(small, clickAfter));
            largeTimes.push_back(chooserFirstOpenMilliseconds(large, clickAfter));
        }
        const std::string name = std::string("chooser_onscreen") + suffix + "_";
        report((name + "ms_40").c_str(), median(smallTimes), "ms");
        report((name + "ms_100k_files").c_str(), median(largeTimes), "ms");
        report((name + "100k_ratio").c_str(), median(largeTimes) / median(smallTimes), "x");
    }
}
