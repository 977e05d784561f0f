// The end-to-end driver: starts tarnwick.exe, works it as a user would and
// checks what it shows. Usage: driver <scenario> <tarnwick.exe> [args...]
#include "tests/e2e/checks.h"
#include "tests/e2e/scenarios.h"
#include <cstdio>
#include <cstring>

namespace {
const struct {
    const char* name;
    void (*run)(const e2e::Args&);
    size_t argCount;
    const char* usage;
} Scenarios[] = {
    {"nocard", e2e::NoCard, 1, "<tarnwick.exe>"},
    {"startup", e2e::Startup, 1, "<tarnwick.exe>"},
    {"enter-presses-ok", e2e::EnterPressesOk, 1, "<tarnwick.exe>"},
    {"animation", e2e::Animation, 1, "<tarnwick.exe>"},
    {"animation-mouse", e2e::AnimationMouse, 1, "<tarnwick.exe>"},
    {"no-library", e2e::NoLibrary, 1, "<tarnwick.exe>"},
    {"no-clip", e2e::NoClip, 1, "<tarnwick.exe>"},
    {"screenshots", e2e::Screenshots, 1, "<tarnwick.exe>   (prints READY lines, reads one line each)"},
    {"basics", e2e::Basics, 1, "<tarnwick.exe>"},
    {"missing-d3d-clock", e2e::MissingD3DClock, 1, "<tarnwick.exe>"},
    {"missing-glide-key", e2e::MissingGlideKey, 1, "<tarnwick.exe>"},
    {"ok-rewrites-all", e2e::OkRewritesAll, 1, "<tarnwick.exe>"},
    {"bad-clock", e2e::BadClock, 1, "<tarnwick.exe>"},
    {"bad-template", e2e::BadTemplate, 1, "<tarnwick.exe>"},
    {"failing-save", e2e::FailingSave, 1, "<tarnwick.exe>"},
    {"cancel-writes-nothing", e2e::CancelWritesNothing, 1, "<tarnwick.exe>"},
    {"cache-edits", e2e::CacheEdits, 1, "<tarnwick.exe>"},
    {"restart-no", e2e::RestartNo, 1, "<tarnwick.exe>"},
    {"restart-yes", e2e::RestartYes, 1, "<tarnwick.exe>"},
    {"restart-failing-save", e2e::RestartFailingSave, 1, "<tarnwick.exe>"},
    {"time-to-window", e2e::TimeToWindow, 2, "<program.exe> <window class>"},
};
} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    for (const auto& s : Scenarios) {
        if (argc < 2 || std::strcmp(argv[1], s.name) != 0)
            continue;
        const e2e::Args args(argv + 2, argv + argc);
        if (args.size() != s.argCount)
            break;
        s.run(args);
        return e2e::Summary();
    }
    std::fprintf(stderr, "usage:\n");
    for (const auto& s : Scenarios)
        std::fprintf(stderr, "  driver %s %s\n", s.name, s.usage);
    return 2;
}
