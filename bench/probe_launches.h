// Launches of the probe timed until its first instruction, which it writes to its log: our way
// of starting it against the floor, CreateProcessW called by the benchmark itself.
#pragma once

#include <windows.h>

#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/bench_process.h"

namespace bench {

// The probe's log of its starts, one line each, starting with the performance counter's ticks.
class ProbeLog {
public:
    // The probe finds its log through the environment, so a program that starts probes (the
    // form) must be started after this.
    explicit ProbeLog(std::wstring path) : m_path(std::move(path)) {
        ::SetEnvironmentVariableW(L"PROBE_LOG", m_path.c_str());
    }

    // The ticks of the probe's next start, waiting up to ten seconds for it.
    bool WaitForNextStart(long long* ticks) {
        std::string narrow(m_path.begin(), m_path.end());
        const size_t wanted = m_starts + 1;
        for (int waited = 0; waited < 10000; ++waited) {
            std::ifstream in(narrow.c_str());
            std::string line;
            for (size_t count = 0; std::getline(in, line);) {
                if (++count == wanted) {
                    *ticks = std::stoll(line.substr(0, line.find(' ')));
                    m_starts = wanted;
                    return true;
                }
            }
            ::Sleep(1);
        }
        return false;
    }

private:
    std::wstring m_path;
    size_t m_starts = 0;
};

// Milliseconds from each launch until the probe's first instruction, one launch of ours and one
// of the floor per round: sample i of each met the machine in the same state, which a machine
// that is slow for a while (process creation here is bimodal) would otherwise hide.
struct PairedLaunches {
    std::vector<double> ours;
    std::vector<double> floor;
};

// Each round calls `launchOurs`, which starts the probe our way and says whether it did, then
// `launchFloor`, which starts the same probe the floor's way. The rounds stop at the first
// launch that fails or never arrives, leaving only whole pairs.
inline PairedLaunches LaunchAgainstFloor(int rounds, ProbeLog& log,
                                         const std::function<bool()>& launchOurs,
                                         const std::function<bool()>& launchFloor) {
    const double perMs = TicksPerMillisecond();
    auto timeLaunch = [&](const std::function<bool()>& launch, std::vector<double>& into) {
        long long started = Now();
        long long ticks = 0;
        if (!launch() || !log.WaitForNextStart(&ticks))
            return false;
        into.push_back((ticks - started) / perMs);
        // The probe is still exiting; its end should not weigh on the next launch.
        ::Sleep(20);
        return true;
    };
    PairedLaunches launches;
    for (int i = 0; i < rounds; ++i) {
        if (!timeLaunch(launchOurs, launches.ours) || !timeLaunch(launchFloor, launches.floor))
            break;
    }
    launches.ours.resize(launches.floor.size());
    return launches;
}

// The floor is this program calling CreateProcessW on the probe itself.
inline PairedLaunches LaunchAgainstFloor(int rounds, const std::wstring& probe, ProbeLog& log,
                                         const std::function<bool()>& launchOurs) {
    return LaunchAgainstFloor(rounds, log, launchOurs,
                              [&] { return static_cast<bool>(StartProgram(probe)); });
}

} // namespace bench
