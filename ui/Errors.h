// Errors the program raises. Commands throw; the application's central error
// box shows the message and the program goes on. Window-free.
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

// Any error of the program whose message is meant for the user.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An index outside a list's bounds: "List index out of bounds (%d)".
class ListIndexError : public Error {
public:
    explicit ListIndexError(long long index)
        : Error("List index out of bounds (" + std::to_string(index) + ")") {}
};

}  // namespace qm
