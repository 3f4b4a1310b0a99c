// The configuration file object. Opening it neither reads nor creates the
// file: it is touched only when a value is read or written.
#pragma once

#include <string>

namespace qm {

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

}  // namespace qm
