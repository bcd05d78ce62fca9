#include "path_text.h"

namespace platform {

bool isRootText(const Path& directory, NativeChar separator) {
    return !directory.native().empty() && directory.native().back() == separator;
}

Path childPath(const Path& directory, NativeView name, NativeChar separator) {
    NativeString text = directory.native();
    if (!isRootText(directory, separator)) text += separator;
    text += name;
    return text;
}

NativeString separatorJoined(const Path& directory, NativeView name, NativeChar separator) {
    NativeString text = directory.native();
    text += separator;
    text += name;
    return text;
}

std::vector<Path> ancestorsBelow(const Path& top, const Path& directory, NativeChar separator) {
    const NativeString& text = directory.native();
    NativeString topText = top.native();
    if (!isRootText(top, separator)) topText += separator;
    std::vector<Path> ancestors;
    if (text.size() <= topText.size() || !text.starts_with(topText)) return ancestors;  // the top itself, or elsewhere
    ancestors.push_back(top);
    for (size_t at = text.find(separator, topText.size()); at != NativeString::npos; at = text.find(separator, at + 1))
        ancestors.emplace_back(text.substr(0, at));
    return ancestors;
}

}  // namespace platform
