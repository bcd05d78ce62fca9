#pragma once

#include <algorithm>
#include <string>
#include <vector>

// Makes (once) a directory of `count` entries as the benchmark wants it:
// about 1% hidden files, 1% subdirectories, the rest plain files, or, with
// `subdirectoriesOnly`, that many subdirectories.
std::string benchTree(const std::string& parent, int count, bool subdirectoriesOnly = false);

// One raw getdents64 pass over `directory`, the floor every listing stands
// on; returns how many entries it saw.
long getdentsPass(const std::string& directory);

double nowMilliseconds();

// The median of `runs` timings of `work`, in milliseconds.
template <class Work>
double medianOf(int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = nowMilliseconds();
        work();
        times.push_back(nowMilliseconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
