#include "path_text.h"

namespace browse {

bool isRootText(const std::filesystem::path& directory, char separator) {
    return !directory.native().empty() && directory.native().back() == separator;
}

std::filesystem::path childPath(const std::filesystem::path& directory, const std::filesystem::path& name,
                                char separator) {
    std::string text = directory.native();
    if (!isRootText(directory, separator)) text += separator;
    return text + name.native();
}

bool liesWithin(const std::filesystem::path& root, const std::filesystem::path& directory) {
    return directory.native().starts_with(root.native());
}

std::vector<std::filesystem::path> ancestorsBelow(const std::filesystem::path& root,
                                                  const std::filesystem::path& directory, char separator) {
    std::vector<std::filesystem::path> ancestors;
    if (isRootText(directory, separator) || !liesWithin(root, directory)) return ancestors;
    ancestors.push_back(root);
    const std::string& text = directory.native();
    for (size_t at = text.find(separator, root.native().size()); at != std::string::npos;
         at = text.find(separator, at + 1))
        ancestors.emplace_back(text.substr(0, at));
    return ancestors;
}

}  // namespace browse
