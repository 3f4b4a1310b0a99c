#include "app/PathUtil.h"

namespace qm {

std::string TabNameFromPath(std::string_view path) {
    const auto slash = path.rfind('\\');
    if (slash == std::string_view::npos) return std::string(path);
    return std::string(path.substr(slash + 1));
}

std::string ConfigDirFromCurrentDir(std::string_view currentDir) {
    if (currentDir.size() < 4) return std::string(currentDir.substr(0, 2));
    return std::string(currentDir);
}

std::string CommandLineDocumentPath(std::string_view configDir, std::string_view argument) {
    if (argument.find('\\') != std::string_view::npos) return std::string(argument);
    std::string path(configDir);
    path += '\\';
    path += argument;
    return path;
}

namespace {

constexpr std::string_view kLeftoverPrefix = "~qm";

// Reads the decimal digits at the start of `text` into `value`; false when
// there are none or they do not fit.
bool TakeNumber(std::string_view& text, uint32_t& value) {
    std::size_t digits = 0;
    uint64_t number = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 10) {
        number = number * 10 + static_cast<uint64_t>(text[digits] - '0');
        ++digits;
    }
    if (digits == 0 || number > UINT32_MAX) return false;
    value = static_cast<uint32_t>(number);
    text.remove_prefix(digits);
    return true;
}

std::string LeftoverStem(uint32_t processId, unsigned number) {
    return std::string(kLeftoverPrefix) + std::to_string(processId) + "-" + std::to_string(number);
}

}  // namespace

std::optional<SaveLeftover> ParseSaveLeftover(std::string_view name) {
    if (!name.starts_with(kLeftoverPrefix)) return std::nullopt;
    name.remove_prefix(kLeftoverPrefix.size());
    SaveLeftover leftover;
    uint32_t number = 0;
    if (!TakeNumber(name, leftover.processId) || !name.starts_with('-')) return std::nullopt;
    name.remove_prefix(1);
    if (!TakeNumber(name, number)) return std::nullopt;
    if (name == ".tmp") return leftover;
    constexpr std::string_view kBak = ".bak";
    if (name.size() <= 1 + kBak.size() || name[0] != '.' || !name.ends_with(kBak)) return std::nullopt;
    leftover.backupOf = std::string(name.substr(1, name.size() - 1 - kBak.size()));
    return leftover;
}

std::string SaveTempName(uint32_t processId, unsigned number) { return LeftoverStem(processId, number) + ".tmp"; }

std::string SaveBackupName(uint32_t processId, unsigned number, std::string_view fileName) {
    return LeftoverStem(processId, number) + "." + std::string(fileName) + ".bak";
}

std::string RecoveryFolder(std::string_view configDir) { return std::string(configDir) + "\\recovery"; }

}  // namespace qm
