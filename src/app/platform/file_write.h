#pragma once
// Writing whole files. A save that fails never leaves the file torn or cut
// short, and a save that succeeds leaves the file the same file: its
// attributes, permissions, streams, hard links and symbolic links survive.
#include <string>
#include <string_view>

namespace quillo {

// Puts `bytes` in the file at `path` (created when missing). The usual way:
// the content goes to a temporary file beside the target, is flushed, and
// ReplaceFileW puts it in the target's place (keeping the target's
// attributes, permissions and streams); a symbolic link is followed to its
// final target. A file with several hard links, a file in a folder where no
// temporary file can be made (no right to create files, a full disk), and a
// file that ReplaceFileW cannot replace are written in place, with the old
// content kept until the new content is complete and written back when the
// write fails. Read-only, hidden and system attributes are kept and the
// archive attribute is added. Throws FileError; the file then holds its old
// content.
void WriteFileAtomically(const std::wstring& path, std::string_view bytes);

// Appends to an existing file (the file must exist).
void AppendToFile(const std::wstring& path, std::string_view bytes);

}  // namespace quillo
