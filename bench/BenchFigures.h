// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <sys/resource.h>

// Peak resident memory of this process so far, in MiB (getrusage reports KiB on Linux).
inline double PeakMemoryMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Processor seconds so far: on a shared machine the wall clock also counts
// the time other processes had the cores.
inline double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Generated files the same on every machine and every run.
class BenchRandom {
public:
    explicit BenchRandom(std::uint64_t seed) : m_state(seed) {}
    std::uint32_t next(std::uint32_t below)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return std::uint32_t(m_state >> 33) % below;
    }

private:
    std::uint64_t m_state;
};
