// The e2e scenarios, each written down here only: the driver runs them by
// name (driver.cpp) and tests/e2e/CMakeLists.txt reads this file line by
// line to make each a test, so a row stays on one line. No include guard:
// the includer defines SCENARIO.
//
//   SCENARIO("name", Function, setup, library, writes)
//
// setup    what the prefix holds: demo (the demo .reg and [vcache]), bare
//          (the card key alone) or none (no card)
// library  the driver library placed in C:\windows\system: with_clip,
//          without_clip or none
// writes   unchanged when the run never saves (no OK, no Enter): the driver
//          then checks that the registry keys and system.ini come out
//          byte-identical; may_save otherwise (startup checks that itself,
//          run by run)
SCENARIO("nocard", NoCard, none, none, may_save)
SCENARIO("startup", Startup, demo, with_clip, may_save)
SCENARIO("enter-presses-ok", EnterPressesOk, bare, with_clip, may_save)
SCENARIO("animation", Animation, demo, with_clip, unchanged)
SCENARIO("animation-mouse", AnimationMouse, demo, with_clip, unchanged)
SCENARIO("no-library", NoLibrary, demo, none, unchanged)
SCENARIO("no-clip", NoClip, demo, without_clip, unchanged)
SCENARIO("screenshots", Screenshots, demo, with_clip, unchanged)
SCENARIO("basics", Basics, demo, with_clip, may_save)
SCENARIO("missing-d3d-clock", MissingD3DClock, demo, with_clip, may_save)
SCENARIO("missing-glide-key", MissingGlideKey, demo, with_clip, may_save)
SCENARIO("ok-rewrites-all", OkRewritesAll, demo, with_clip, may_save)
SCENARIO("bad-clock", BadClock, demo, with_clip, may_save)
SCENARIO("bad-template", BadTemplate, demo, with_clip, may_save)
SCENARIO("failing-save", FailingSave, demo, with_clip, may_save)
SCENARIO("cancel-writes-nothing", CancelWritesNothing, demo, with_clip, unchanged)
SCENARIO("cache-edits", CacheEdits, demo, with_clip, may_save)
SCENARIO("restart-no", RestartNo, demo, with_clip, unchanged)
SCENARIO("restart-yes", RestartYes, demo, with_clip, may_save)
SCENARIO("restart-failing-save", RestartFailingSave, demo, with_clip, may_save)
