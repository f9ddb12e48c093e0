#pragma once
// The editor control ends its text at a NUL byte, so a file holding NUL bytes
// would be shown cut short and saved back shortened without a word. Such a
// file is opened with every NUL shown as a space (the text keeps its length
// and everything after the NUL), and the user is warned once that saving
// will write spaces in their place.
#include <cstddef>
#include <string>
#include <string_view>

namespace quillo {

// Replaces each NUL byte by a space; gives how many there were.
std::size_t ReplaceNulBytes(std::string& text);

// The warning shown on opening such a file (UTF-8, caption "Внимание").
std::string NulBytesWarning(std::string_view file_name);

}  // namespace quillo
