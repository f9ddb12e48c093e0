#pragma once
// Whether two paths name the same file on disk. Windows paths differ in
// letter case, short and long names, links and mapped drives while naming
// one file, so comparing the texts is not enough before deleting one of them.
#include <string>

namespace quillo {

// The same volume and file index when both files can be opened; otherwise
// the full paths compared without regard to letter case.
bool IsSameFile(const std::wstring& a, const std::wstring& b);

}  // namespace quillo
