#pragma once
// The scenarios the driver runs; args[0] is the path of tarnwick.exe.
#include <string>
#include <vector>

namespace e2e {
using Args = std::vector<std::string>;

void NoCard(const Args& args);
void Startup(const Args& args);
void EnterPressesOk(const Args& args);
void Animation(const Args& args);
void AnimationMouse(const Args& args);
void NoLibrary(const Args& args);
void NoClip(const Args& args);
void Screenshots(const Args& args);
// Editing, saving and not saving
void Basics(const Args& args);
void MissingD3DClock(const Args& args);
void MissingGlideKey(const Args& args);
void OkRewritesAll(const Args& args);
void BadClock(const Args& args);
void BadTemplate(const Args& args);
void FailingSave(const Args& args);
void CancelWritesNothing(const Args& args);
void CacheEdits(const Args& args);
// The restart command
void RestartNo(const Args& args);
void RestartYes(const Args& args);
void RestartFailingSave(const Args& args);
// Benchmark: args[1] is the class of the window to wait for.
void TimeToWindow(const Args& args);
} // namespace e2e
