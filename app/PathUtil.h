// Path helpers of the main window. Window-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The text after the last backslash of a path; a path without a backslash
// comes back unchanged, a path ending in a backslash gives "". Forward
// slashes do not count.
std::string TabNameFromPath(std::string_view path);

// The configuration folder from the working directory at start-up: a drive
// root such as "C:\" (shorter than 4 characters) keeps only "C:", so that
// appending a separator never doubles it.
std::string ConfigDirFromCurrentDir(std::string_view currentDir);

// The path opened for the first command-line argument: the argument itself
// when it contains a backslash, else ConfigDir + "\" + argument.
std::string CommandLineDocumentPath(std::string_view configDir, std::string_view argument);

// The recovery journal's folder beside the configuration file.
std::string RecoveryFolder(std::string_view configDir);

// Files a save makes beside the file it saves, named after the process that
// makes them so that ones a stopped program left can be told from those of a
// running one:
//   "~qm<process id>-<number>.tmp"              the new text being written;
//   "~qm<process id>-<number>.<file name>.bak"  a whole copy of the old text of
//                                               <file name>, kept while that
//                                               file is written in place.
struct SaveLeftover {
    uint32_t processId = 0;
    // The file the backup copy is of; empty for a ".tmp" file.
    std::string backupOf;
};
// The parts of such a name; nothing for any other name.
std::optional<SaveLeftover> ParseSaveLeftover(std::string_view name);
std::string SaveTempName(uint32_t processId, unsigned number);
std::string SaveBackupName(uint32_t processId, unsigned number, std::string_view fileName);

// The path entry of a document that was never saved.
inline constexpr std::string_view kUntitled = "Untitled";

}  // namespace qm
