#include "browse/natural_key.h"
#include "browse/natural_sorter.h"
#include "doubles/named_rows.h"
#include "doubles/threads_settled.h"
#include "jobs/runner.h"

#include <algorithm>
#include <random>
#include <set>
#include <thread>

using platform::Path;

namespace {

// Enough for the last merge to be shared out.
constexpr size_t nineAndAHalfBlocks = 9 * platform::NameList::blockSize + platform::NameList::blockSize / 2;

struct SorterRow {
    const char* name;
    int processors;
    bool inAJob;  // else nothing can be given up, and work beside runs at once
    size_t count = nineAndAHalfBlocks;
};

class NaturalSorterTest : public testing::TestWithParam<SorterRow> {};

// Names that sort by value, by case, and by more than their first 128 key bits.
std::vector<std::string> someNames(size_t count) {
    const unsigned seed = 20261207;
    std::printf("names from seed %u\n", seed);
    std::mt19937 random(seed);
    std::set<std::string> names;
    const auto letters = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += "aAbBzZ-._"[random() % 9];
        return text;
    };
    while (names.size() < count) {
        switch (random() % 4) {
        case 0: names.insert("file" + std::to_string(random() % 100000) + ".pkg"); break;
        case 1: names.insert("the-same-long-start-" + letters(3) + std::to_string(random() % 20)); break;
        case 2: names.insert(letters(1 + static_cast<int>(random() % 12))); break;
        default: names.insert("x" + std::string(random() % 4, '0') + std::to_string(random() % 50)); break;
        }
    }
    std::vector<std::string> shuffled(names.begin(), names.end());
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    return shuffled;
}

browse::SortedNames sortInBlocks(platform::Checkpoints& job, int processors, const std::vector<std::string>& names) {
    platform::NameList list;
    browse::NaturalSorter sorter(job, processors);
    platform::BlockTeller teller(&sorter, platform::Listed::Files, list);
    for (const std::string& name : names) {
        list.add(Path(name).native());
        teller.tell(false);
    }
    teller.tell(true);
    return sorter.sorted(platform::Listed::Files, std::move(list));
}

// Blocks sorted as they come and merged end as one sort of all the names
// would, and the longest names picked on the way are the longest.
TEST_P(NaturalSorterTest, BlocksSortedAsTheyComeEndAsOneSortOfAll) {
    const std::vector<std::string> names = someNames(GetParam().count);
    browse::SortedNames sorted;
    if (GetParam().inAJob) {
        jobs::Runner runner([](const Path&) { return platform::NativeString(); });
        sorted = runner.run({}, [&](jobs::Job& job) { return sortInBlocks(job, GetParam().processors, names); });
    } else {
        platform::NoCheckpoints here;
        sorted = sortInBlocks(here, GetParam().processors, names);
    }
    std::vector<platform::NativeString> expected;
    for (const std::string& name : names) expected.push_back(Path(name).native());
    std::sort(expected.begin(), expected.end(), browse::fullyBefore);
    ASSERT_EQ(sorted.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(sorted[i], expected[i]) << "at " << i;

    const auto longest = sorted.longest();
    ASSERT_EQ(longest.size(), std::min(names.size(), browse::SortedNames::mostLongest));
    size_t shortestPicked = SIZE_MAX;
    for (const platform::NativeView name : longest) shortestPicked = std::min(shortestPicked, name.size());
    const auto longer = std::count_if(expected.begin(), expected.end(),
                                      [&](const platform::NativeString& name) { return name.size() > shortestPicked; });
    EXPECT_LE(static_cast<size_t>(longer), longest.size()) << "a longer name was passed over";
}

constexpr SorterRow sorterRows[] = {
    {"OnTheReadingThread", 1, true}, {"BesideTheReading", 2, true},     {"WhereNothingRunsBeside", 2, false},
    {"NoneAtAll", 1, true, 0},       {"FewerThanABlock", 1, true, 100}, {"FewerThanABlockBeside", 2, true, 100},
};
INSTANTIATE_TEST_SUITE_P(Rows, NaturalSorterTest, testing::ValuesIn(sorterRows), rowName);

// A job that ends while its names are sorted beside it, as one given up does, leaves no thread behind.
TEST(NaturalSorter, AJobEndingHalfwayLeavesNoSorterBehind) {
    jobs::Runner runner([](const Path&) { return platform::NativeString(); });
    const std::vector<std::string> names = someNames(nineAndAHalfBlocks);
    EXPECT_THROW(runner.run({},
                            [&](jobs::Job& job) {
                                platform::NameList list;
                                browse::NaturalSorter sorter(job, 2);
                                platform::BlockTeller teller(&sorter, platform::Listed::Files, list);
                                for (const std::string& name : names) {
                                    list.add(Path(name).native());
                                    teller.tell(false);
                                }
                                throw std::runtime_error("given up halfway");
                            }),
                 std::runtime_error);
    EXPECT_EQ(threadsOnceSettled(runner, 0), 0);
}

}  // namespace
