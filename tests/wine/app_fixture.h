#pragma once
// In-process test support: the real registry and system.ini of the Wine
// prefix, the real main window, and recorders in place of the modal boxes
// and the restart request.
#include "mainwindow/form1.h"
#include "test_support.h"
#include "tests/common/message_box_recorder.h"
#include "tests/common/message_pump.h"
#include "tests/common/raw_registry.h"
#include "tests/common/settings_snapshot.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Base fixture: a clean driver tree and system.ini, recorders installed,
// and a main window made on demand.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window and runs FormShow (the whole load).
    TForm1& OpenForm();
    TForm1& Form() { return *form_; }
    void CloseForm();

    // Puts a stand-in driver library ("with_clip", "without_clip") at path,
    // the driver's place unless told; it goes again after the test.
    void InstallDriverLibrary(const char* variant, const std::string& path = AnimationLibraryPath);
    // What a user's double-click on the Info page's animation sends.
    void DoubleClickAnimation();

private:
    MessageBoxRecorder boxRecorder_;
    std::unique_ptr<TForm1> form_;
    std::vector<std::string> installedLibraries_;

public:
    // What the replaced boxes and restart request saw, and what they answer.
    std::vector<RecordedBox>& boxes = boxRecorder_.boxes;
    int& boxAnswer = boxRecorder_.answer;
    static int restarts;
    static bool restartSucceeds;
};
