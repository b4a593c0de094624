// SPDX-License-Identifier: GPL-3.0-or-later
// Started by the user menu tests in place of a user's program: writes its
// working folder, its arguments and its open descriptors, NUL-separated, to
// the file $TOLVANE_ARG_RECORD (whole, by a rename, so a test never reads half).
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    const char* target = std::getenv("TOLVANE_ARG_RECORD");
    if (!target)
        return 2;
    std::string record = "cwd=";
    char folder[4096];
    if (getcwd(folder, sizeof folder))
        record += folder;
    record += '\0';
    record += "fds=";
    if (DIR* fds = opendir("/proc/self/fd")) {
        const int own = dirfd(fds);
        while (const dirent* entry = readdir(fds)) {
            if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == own)
                continue;
            record += entry->d_name;
            record += ' ';
        }
        closedir(fds);
    }
    record += '\0';
    for (int i = 1; i < argc; ++i) {
        record += argv[i];
        record += '\0';
    }
    const std::string part = std::string(target) + ".part";
    FILE* out = std::fopen(part.c_str(), "wb");
    if (!out)
        return 1;
    const bool written = std::fwrite(record.data(), 1, record.size(), out) == record.size();
    if (std::fclose(out) != 0 || !written)
        return 1;
    return std::rename(part.c_str(), target) == 0 ? 0 : 1;
}
