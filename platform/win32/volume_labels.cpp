#include "platform/win32/volume_labels.h"

#include <windows.h>

namespace platform {

namespace {

NativeString labelOf(const NativeString& root) {
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) || !label[0])
        return {};
    return L'[' + NativeString(label) + L']';
}

}  // namespace

std::vector<NativeString> VolumeLabels::read(const std::vector<NativeString>& roots, Checkpoints& job,
                                             std::chrono::milliseconds patience) const {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    std::vector<std::unique_ptr<Aside>> readers;
    for (const NativeString& root : roots) {
        {
            const std::lock_guard lock(known_->mutex);
            if (!known_->reading.insert(root).second) continue;  // still reading since last time
        }
        auto reader = job.aside({}, [known = known_, root] {
            NativeString label;
            try {
                label = labelOf(root);
            } catch (...) {
                // out of memory: no label
            }
            const std::lock_guard lock(known->mutex);
            known->labels[root] = std::move(label);
            known->reading.erase(root);
        });
        if (reader) {
            readers.push_back(std::move(reader));
        } else {
            const std::lock_guard lock(known_->mutex);
            known_->reading.erase(root);  // no thread to be had: no label this time
        }
    }
    for (const auto& reader : readers) reader->waitUntil(deadline);
    std::vector<NativeString> labels;
    const std::lock_guard lock(known_->mutex);
    for (const NativeString& root : roots) {
        const auto found = known_->labels.find(root);
        labels.push_back(found != known_->labels.end() ? found->second : NativeString());
    }
    return labels;
}

}  // namespace platform
