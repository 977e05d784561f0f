#include "tests/common/message_box_recorder.h"
#include "mainwindow/splash.h"
#include <commctrl.h>

namespace {
MessageBoxRecorder* g_recorder = nullptr;  // the newest one alive
} // namespace

MessageBoxRecorder::MessageBoxRecorder(int answer)
    : answer(answer), previous_(g_recorder), previousFunction_(SetMessageBoxFunction(&MessageBoxRecorder::Record))
{
    g_recorder = this;
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    g_recorder = previous_;
    SetMessageBoxFunction(previousFunction_);
}

int MessageBoxRecorder::Record(HWND owner, const char* text, const char* caption, UINT type)
{
    const int splash =
        SplashForm ? static_cast<int>(SendMessageA(SplashForm->ProgressBar(), PBM_GETPOS, 0, 0)) : -1;
    g_recorder->boxes.push_back(RecordedBox{owner, text, caption, type, splash});
    return g_recorder->answer;
}
