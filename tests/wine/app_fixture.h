#pragma once
// In-process test support: the real registry and system.ini of the Wine
// prefix, the real main window, and recorders in place of the modal boxes
// and the restart request.
#include "mainwindow/form1.h"
#include "test_support.h"
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Raw registry access for arranging and checking, independent of the code
// under test. Paths are below HKEY_LOCAL_MACHINE.
namespace reg {
void DeleteTree(const std::string& path);
bool KeyExists(const std::string& path);
void SetRaw(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size);
void SetString(const std::string& path, const std::string& name, const std::string& text);
void SetDword(const std::string& path, const std::string& name, uint32_t value);
void SetBinary(const std::string& path, const std::string& name, std::vector<unsigned char> bytes);
bool Exists(const std::string& path, const std::string& name);
DWORD Type(const std::string& path, const std::string& name);
std::string String(const std::string& path, const std::string& name);
std::vector<unsigned char> Bytes(const std::string& path, const std::string& name);
// Every value of a key and its subkeys as text, to compare before and after.
std::string Dump(const std::string& path);
// Makes path a volatile key: creating a lasting subkey below it then fails.
void MakeVolatile(const std::string& path);
} // namespace reg

extern const char* const GlideKey;     // SOFTWARE\3dfx Interactive\Voodoo2\Glide
extern const char* const D3DKey;       // ...\D3D
extern const char* const VoodooKey;    // SOFTWARE\3dfx Interactive\Voodoo2
extern const char* const TemplatesKey; // ...\FS Templates
extern const char* const TemplateKey;  // ...\FS Templates\Tarnwick

// system.ini in the Windows directory.
std::string SystemIniPath();
std::string ReadSystemIni();
void WriteSystemIni(const std::string& content);

struct RecordedBox {
    std::string text;
    std::string caption;
    UINT type;
    int splashPosition;  // the splash bar when the box came up; -1 without one
};

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
    void Pump();

public:
    // What the replaced boxes and restart request saw, and what they answer.
    static std::vector<RecordedBox> boxes;
    static int boxAnswer;
    static int restarts;
    static bool restartSucceeds;

private:
    std::unique_ptr<TForm1> form_;
};
