#include "app_fixture.h"
#include "app/startup.h"
#include "mainwindow/control_ids.h"
#include "platform/app_title.h"
#include "platform/restart.h"

int AppTest::restarts = 0;
bool AppTest::restartSucceeds = true;

namespace {
bool RecordRestart(std::string& failure)
{
    ++AppTest::restarts;
    if (!AppTest::restartSucceeds)
        failure = "The restart was refused";
    return AppTest::restartSucceeds;
}
} // namespace

void AppTest::SetUp()
{
    static bool classes = false;
    if (!classes) {
        InitialiseWindowClasses(GetModuleHandleA(nullptr));
        classes = true;
    }
    SetApplicationTitle("Tarnwick");
    boxes.clear();
    boxAnswer = IDOK;
    restarts = 0;
    restartSucceeds = true;
    SetRestartFunction(RecordRestart);
    reg::DeleteTree("SOFTWARE\\3dfx Interactive");
    reg::DeleteTree(TemplatesKey);
    WritePrivateProfileStringA("vcache", nullptr, nullptr, "system.ini");
}

void AppTest::TearDown()
{
    CloseForm();
    SetRestartFunction(nullptr);
    for (const std::string& path : installedLibraries_)
        DeleteFileA(path.c_str());
    installedLibraries_.clear();
}

TForm1& AppTest::OpenForm()
{
    form_ = std::make_unique<TForm1>();
    EXPECT_OK(form_->Create());
    form_->Show();
    Pump();
    return *form_;
}

void AppTest::CloseForm()
{
    if (form_)
        form_->Close();
    Pump();
    form_.reset();
}

void AppTest::InstallDriverLibrary(const char* variant, const std::string& path)
{
    const std::string source = std::string(TARNWICK_STANDIN_DIR) + "/3dfxv2ps_" + variant + ".dll";
    installedLibraries_.push_back(path);
    ASSERT_TRUE(CopyFileA(source.c_str(), path.c_str(), FALSE)) << source << " to " << path;
}

void AppTest::DoubleClickAnimation()
{
    SendMessageA(Form().Find(id::ani).Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
    Pump();
}
