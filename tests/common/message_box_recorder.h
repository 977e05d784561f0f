#pragma once
// Message boxes recorded instead of shown, for the programs that run the
// program's code in process (the in-process tests, the benchmarks): a modal
// box would wait for a click that never comes. While a recorder lives, each
// box the program asks for is recorded and answered with `answer`; when it
// goes, the function installed before it is back.
#include "platform/message_box.h"
#include <string>
#include <vector>

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    int splashPosition;  // the splash bar when the box came up; -1 without one
};

class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<RecordedBox> boxes;
    int answer;

private:
    static int Record(HWND owner, const char* text, const char* caption, UINT type);
    MessageBoxRecorder* previous_;
    MessageBoxFunction previousFunction_;
};
