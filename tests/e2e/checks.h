#pragma once
// One line per check, and the tally the driver ends with. The messages name
// the source line of the check, so a failure points straight at it.
#include <string>

namespace e2e {

// Printed in front of every check line, e.g. "startup[OK]".
void SetContext(const std::string& context);
void Note(const std::string& text);

bool Record(bool ok, const std::string& what, const std::string& detail, int line);
bool RecordEq(long long got, long long want, const std::string& what, int line);
bool RecordEq(const std::wstring& got, const std::wstring& want, const std::string& what, int line);
bool RecordEq(const std::string& got, const std::string& want, const std::string& what, int line);

// Prints "e2e: N passed, M failed"; returns the process exit code.
int Summary();

std::string Utf8(const std::wstring& text);

} // namespace e2e

#define CHECK(cond, what) e2e::Record((cond), (what), "", __LINE__)
#define CHECK_EQ(got, want, what) e2e::RecordEq((got), (want), (what), __LINE__)
