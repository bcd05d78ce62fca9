#pragma once

#include "mount_table.h"

#include <map>
#include <string>
#include <vector>

namespace platform {

// Device links read only where reading cannot hang: inside `root` (/dev),
// on the mount that holds `root` itself. A link is followed while it stays
// there; a path that leaves it, even by its text alone ("/dev/../mnt/x"), or
// runs through another mount below it, is never touched.
class DeviceLinks {
public:
    explicit DeviceLinks(std::vector<Mount> mounts, std::string root = "/dev");
    // The node `path` leads to ("/dev/mapper/x" -> "/dev/dm-0"); `path`
    // itself when it is no link or leads out of `root`.
    std::string resolve(const std::string& path) const;
    // Volume labels by the node they name ("/dev/sdb1" -> "STICK"), from the
    // links udev keeps in root/disk/by-label; empty when there are none.
    std::map<std::string, std::string> labels() const;

private:
    bool inside(const std::string& path) const;
    std::vector<Mount> mounts_;
    std::string root_;
    const Mount* rootMount_;
};

}  // namespace platform
