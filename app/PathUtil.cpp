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

std::string RecoveryFolder(std::string_view configDir) { return std::string(configDir) + "\\recovery"; }

}  // namespace qm
