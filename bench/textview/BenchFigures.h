// Figures the text view benchmarks share: percentiles of timed runs and the resident size.
#pragma once

#include <algorithm>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace corvane::bench {

inline double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

inline long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

} // namespace corvane::bench
