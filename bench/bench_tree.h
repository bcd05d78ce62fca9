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

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

template <class Work>
double timed(Work work) {
    const double start = nowMilliseconds();
    work();
    return nowMilliseconds() - start;
}

// A measurement next to its floor, taken in turns, so that a noisy machine
// slows both alike: the medians of each, and of the ratio within each pair.
struct Paired {
    double floor, measured, ratio;
};

template <class Floor, class Work>
Paired paired(int runs, Floor floor, Work work) {
    std::vector<double> floors, measured, ratios;
    for (int i = 0; i < runs; ++i) {
        floors.push_back(floor());
        measured.push_back(work());
        ratios.push_back(measured.back() / floors.back());
    }
    return {median(floors), median(measured), median(ratios)};
}
