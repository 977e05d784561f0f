#include "app_fixture.h"
#include "test_support.h"
#include "mainwindow/splash.h"
#include "app/startup.h"
#include <commctrl.h>
#include "platform/app_title.h"
#include "platform/message_box.h"
#include "platform/restart.h"
#include <cstdio>
#include <sstream>

const char* const VoodooKey = "SOFTWARE\\3dfx Interactive\\Voodoo2";
const char* const GlideKey = "SOFTWARE\\3dfx Interactive\\Voodoo2\\Glide";
const char* const D3DKey = "SOFTWARE\\3dfx Interactive\\Voodoo2\\D3D";
const char* const TemplatesKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates";
const char* const TemplateKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates\\Tarnwick";

namespace reg {
namespace {
HKEY Open(const std::string& path, bool create)
{
    HKEY key = nullptr;
    if (create)
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    else
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    return key;
}
struct Key {
    HKEY h;
    ~Key() { if (h) RegCloseKey(h); }
};
bool Query(const std::string& path, const std::string& name, DWORD& type, std::vector<unsigned char>& data)
{
    Key key{Open(path, false)};
    DWORD size = 0;
    if (!key.h || RegQueryValueExA(key.h, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.assign(size, 0);
    return RegQueryValueExA(key.h, name.c_str(), nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
}
void DumpKey(HKEY key, const std::string& path, std::ostringstream& out)
{
    char name[512];
    std::vector<unsigned char> data(1 << 16);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name, size = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        out << path << "|" << name << "|" << type << "|";
        for (DWORD b = 0; b < size; ++b)
            out << static_cast<int>(data[b]) << ",";
        out << "\n";
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        Key sub{nullptr};
        RegOpenKeyExA(key, name, 0, KEY_READ, &sub.h);
        out << path << "\\" << name << "\n";
        if (sub.h)
            DumpKey(sub.h, path + "\\" + name, out);
    }
}
} // namespace

void DeleteTree(const std::string& path)
{
    Key key{Open(path, false)};
    if (!key.h)
        return;
    char name[512];
    for (;;) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key.h, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        DeleteTree(path + "\\" + name);
    }
    RegCloseKey(key.h);
    key.h = nullptr;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

bool KeyExists(const std::string& path) { return Key{Open(path, false)}.h != nullptr; }

void SetRaw(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size)
{
    Key key{Open(path, true)};
    ASSERT_TRUE(key.h) << path;
    ASSERT_EQ(RegSetValueExA(key.h, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void SetString(const std::string& path, const std::string& name, const std::string& text)
{
    SetRaw(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetDword(const std::string& path, const std::string& name, uint32_t value)
{
    SetRaw(path, name, REG_DWORD, &value, sizeof value);
}

void SetBinary(const std::string& path, const std::string& name, std::vector<unsigned char> bytes)
{
    SetRaw(path, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool Exists(const std::string& path, const std::string& name)
{
    DWORD type;
    std::vector<unsigned char> data;
    return Query(path, name, type, data);
}

DWORD Type(const std::string& path, const std::string& name)
{
    DWORD type = REG_NONE;
    std::vector<unsigned char> data;
    return Query(path, name, type, data) ? type : REG_NONE;
}

std::string String(const std::string& path, const std::string& name)
{
    DWORD type;
    std::vector<unsigned char> data;
    if (!Query(path, name, type, data))
        return "<missing>";
    std::string text(data.begin(), data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::vector<unsigned char> Bytes(const std::string& path, const std::string& name)
{
    DWORD type;
    std::vector<unsigned char> data;
    Query(path, name, type, data);
    return data;
}

std::string Dump(const std::string& path)
{
    Key key{Open(path, false)};
    if (!key.h)
        return "<no key " + path + ">";
    std::ostringstream out;
    DumpKey(key.h, path, out);
    return out.str();
}

void MakeVolatile(const std::string& path)
{
    DeleteTree(path);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
}
} // namespace reg

std::string SystemIniPath()
{
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\system.ini";
}

std::string ReadSystemIni()
{
    FILE* f = std::fopen(SystemIniPath().c_str(), "rb");
    if (!f)
        return "<no file>";
    std::string content;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        content.append(buffer, got);
    std::fclose(f);
    return content;
}

void WriteSystemIni(const std::string& content)
{
    FILE* f = std::fopen(SystemIniPath().c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
}

std::vector<RecordedBox> AppTest::boxes;
int AppTest::boxAnswer = IDOK;
int AppTest::restarts = 0;
bool AppTest::restartSucceeds = true;

namespace {
int RecordBox(HWND, const char* text, const char* caption, UINT type)
{
    const int splash = SplashForm ? static_cast<int>(SendMessageA(SplashForm->ProgressBar(), PBM_GETPOS, 0, 0)) : -1;
    AppTest::boxes.push_back({text, caption, type, splash});
    return AppTest::boxAnswer;
}
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
    SetMessageBoxFunction(RecordBox);
    SetRestartFunction(RecordRestart);
    reg::DeleteTree("SOFTWARE\\3dfx Interactive");
    reg::DeleteTree(TemplatesKey);
    WritePrivateProfileStringA("vcache", nullptr, nullptr, "system.ini");
}

void AppTest::TearDown()
{
    CloseForm();
    FailOnUnexpectedMessageBoxes();
    SetRestartFunction(nullptr);
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

void AppTest::Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
