// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files the game keeps (a kept game, records, settings) are read only when they are regular
// files of ours, without ever blocking, and written whole or not at all: a new file beside the old
// one, every write, the sync and the close checked, then renamed over it. On any failure the old
// file stays as it was and the reason is one line.
#include <optional>
#include <string>
#include <string_view>

namespace quivra::safe_file {

struct ReadResult {
    enum class Kind { Read, Missing, NotOurs, Failed };
    Kind kind = Kind::Missing;
    std::string bytes;     // when Read
    std::string problem;   // one line, when NotOurs or Failed
};

// Reads the file at `path` if it is a regular file owned by this user of at most `maxBytes`.
// A symlink, FIFO, device, folder or socket there is left alone (NotOurs); nothing blocks.
ReadResult ReadOwn(const std::string& path, size_t maxBytes);

// What stands at `path` when it is not a regular file of ours ("a symlink", "a FIFO", ...), or
// empty when it is one or nothing is there.
std::string Stranger(const std::string& path);

enum class Replace { Yes, No };

// Writes `bytes` as the file at `path`, whole or not at all. With Replace::No an existing file (of
// any kind) is never replaced. Nothing or a one-line reason.
std::optional<std::string> WriteWhole(const std::string& path, std::string_view bytes, Replace replace);

// Moves a file that cannot be used out of the way (path.broken-YYYYMMDD-HHMMSS), so that nothing
// writes over it. The new name, or empty when it could not be moved.
std::string SetAside(const std::string& path);

// Creates the folder and its parents; false when something else is there.
bool MakeFolders(const std::string& dir);

}  // namespace quivra::safe_file
