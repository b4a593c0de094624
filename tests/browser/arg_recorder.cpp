// SPDX-License-Identifier: GPL-3.0-or-later
// Started by the user menu tests in place of a user's program: writes its
// working folder, its open descriptors (separated by blanks) and its
// arguments, NUL-separated, to "aufgezeichnet" in its working folder, or
// where TOLVANE_ARG_RECORD says when a test watches a folder it must not
// change (whole, by a rename, so a test never reads half).
#include <fcntl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<int> listed;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd"))
        listed.push_back(std::stoi(fd.path().filename().string()));
    std::string record = std::filesystem::current_path().string() + '\0';
    for (const int fd : listed) {
        if (fcntl(fd, F_GETFD) != -1) // the listing's own descriptor is closed by now
            record += (record.back() == '\0' ? "" : " ") + std::to_string(fd);
    }
    for (int i = 1; i < argc; ++i)
        record += '\0' + std::string(argv[i]);
    const char* wanted = std::getenv("TOLVANE_ARG_RECORD");
    const std::string target = wanted ? wanted : "aufgezeichnet";
    std::ofstream out(target + ".part", std::ios::binary);
    out << record;
    out.close();
    return out && std::rename((target + ".part").c_str(), target.c_str()) == 0 ? 0 : 1;
}
