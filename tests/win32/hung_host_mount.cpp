// Holds a mount that never answers at the folder it is given, like a network
// share whose server went down, until its input closes: scripts/test-windows
// runs Wine and the Windows tests beside it. Built for the host, not for Windows.
#include "../doubles/hung_mount.h"

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    HungMount hung(argv[1]);
    std::printf("%s\n", hung.mounted() ? "mounted" : "not mounted");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    return hung.mounted() ? 0 : 1;
}
