#pragma once

#include "platform/name_list.h"

#include <filesystem>
#include <optional>

namespace browse {

// Carries the file names that the directory list has just read to the file
// list, which follows it at once, nested in its Change: one pass over the
// directory serves both. It holds them only while that Change runs.
class ListingHandOff {
public:
    class Offer {
    public:
        Offer(ListingHandOff& handOff, const std::filesystem::path& directory, platform::NameList files)
            : handOff_(handOff) {
            handOff_.directory_ = directory;
            handOff_.files_ = std::move(files);
        }
        ~Offer() { handOff_.files_.reset(); }
        Offer(const Offer&) = delete;
        Offer& operator=(const Offer&) = delete;

    private:
        ListingHandOff& handOff_;
    };

    // The files offered for `directory`, once; nothing when none are.
    std::optional<platform::NameList> take(const std::filesystem::path& directory) {
        if (!files_ || directory_ != directory) return std::nullopt;
        std::optional<platform::NameList> files = std::move(files_);
        files_.reset();
        return files;
    }

private:
    std::filesystem::path directory_;
    std::optional<platform::NameList> files_;
};

}  // namespace browse
