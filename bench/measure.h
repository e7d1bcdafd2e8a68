#pragma once

// What the benchmarks share: timing, medians and the printed figures, one
// "name: value unit" line each.

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

inline double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

inline double microseconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1000.0;
}

inline void report(const char *name, double value, const char *unit)
{
    std::printf("%s: %.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

// One group of figures each, in a file of its own.
void benchPaging();
void benchChooser();
void benchOnScreen();
void benchStartup();

// The groups this system's build runs, by name, in the order they run.
struct BenchGroup {
    const char *name;
    void (*run)();
};
const std::vector<BenchGroup> &benchGroups();
