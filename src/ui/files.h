// Files of the program folder and note pages: read whole, written atomically.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The folder the program keeps its files in: the executable's folder when it is writable (a
// build tree, a portable copy); otherwise the per-user data folder, seeded at first use with
// the defaults installed beside the program.
QString ProgramFolder();

// The whole file, or nullopt when it is missing, unreadable or larger than `maxBytes`.
std::optional<std::string> ReadWholeFile(const QString& path, qint64 maxBytes);

// Writes to a temporary file beside `path` and renames it over: a failed write leaves the old
// file whole. False on any failure.
bool WriteFileAtomically(const QString& path, std::string_view bytes);

} // namespace ui
