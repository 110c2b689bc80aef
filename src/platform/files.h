// Files of the program folder and note pages: read whole, written atomically.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The folder the program keeps its files in: the executable's folder when it is writable (a
// build tree, a portable copy); otherwise, and always for an installed copy
// (<prefix>/bin beside <prefix>/share/tirelix), the per-user data folder (~/.local/share/tirelix),
// seeded at first use with the defaults installed with the program.
QString ProgramFolder();

// ProgramFolder for an executable in `executableFolder`, with `perUserFolder` as the per-user
// data folder.
QString ProgramFolderFor(const QString& executableFolder, const QString& perUserFolder);

// Where the note-page dialogs first open for a program keeping its files in `programFolder`:
// empty when that is the executable's own folder (a portable copy: they open there each time);
// else, the state being the user's own in a hidden folder, the user's documents folder, or home
// when there is none.
QString NotePageFolderFor(const QString& programFolder, const QString& executableFolder);

// Copies into `target` (made if missing) each program-folder file that `defaults` has and
// `target` lacks. A file already there is left as it is; a copy appears under its own name
// only once whole.
void SeedProgramFolder(const QString& defaults, const QString& target);

// The whole file, or nullopt when it is missing, unreadable or larger than `maxBytes`. A symbolic
// link, a folder, a pipe or a device under the name counts as missing.
std::optional<std::string> ReadWholeFile(const QString& path, qint64 maxBytes);

// Writes to a temporary file beside `path` and renames it over: a failed write leaves the old
// file whole. A symbolic link (or a pipe, a device) under the name is replaced by the file, its
// target never opened; a folder stays. False on any failure.
bool WriteFileAtomically(const QString& path, std::string_view bytes);

} // namespace ui
