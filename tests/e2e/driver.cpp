// The end-to-end driver: starts tarnwick.exe, works it as a user would and
// checks what it shows. Usage: driver [--machine M] <scenario> <tarnwick.exe>
// With --machine, every program it starts must run that exe's image for
// machine M (i386 for the shipped build).
#include "tests/e2e/checks.h"
#include "tests/e2e/image_check.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/stored_settings.h"
#include <algorithm>
#include <cstdio>

namespace {
enum class Writes { unchanged, may_save };

const struct {
    const char* name;
    void (*run)(const e2e::Args&);
    Writes writes;
} Scenarios[] = {
#define SCENARIO(name, function, setup, library, writes) {name, e2e::function, Writes::writes},
#include "tests/e2e/scenario_list.h"
#undef SCENARIO
};

// Runs a scenario; one that never saves must leave the settings as it
// found them.
void Run(void (*scenario)(const e2e::Args&), const e2e::Args& args, Writes writes, const char* name)
{
    const SettingsSnapshot before;
    scenario(args);
    if (writes == Writes::unchanged) {
        e2e::SetContext(name);
        CHECK_NOTHING_WRITTEN(before, "registry keys and system.ini byte-identical after the run");
    }
}
} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    reg::SetFailureReporter([](const std::string& what) { e2e::Record(false, what, "", __LINE__); });
    int first = 1;
    if (argc >= 3 && std::string(argv[1]) == "--machine" && e2e::MachineKnown(argv[2])) {
        e2e::ExpectMachine(argv[2]);
        first = 3;
    }
    const std::string name = argc > first ? argv[first] : "";
    const e2e::Args args(argv + std::min(argc, first + 1), argv + argc);
    if (name == "time-to-window" && args.size() == 2) {
        e2e::TimeToWindow(args);
        return e2e::Summary();
    }
    for (const auto& s : Scenarios) {
        if (name != s.name || args.size() != 1)
            continue;
        Run(s.run, args, s.writes, s.name);
        return e2e::Summary();
    }
    std::fprintf(stderr, "usage:\n");
    for (const auto& s : Scenarios)
        std::fprintf(stderr, "  driver [--machine i386|amd64] %s <tarnwick.exe>\n", s.name);
    std::fprintf(stderr, "  (screenshots prints READY lines and reads one line after each)\n"
                         "  driver time-to-window <program.exe> <window class>\n");
    return 2;
}
