#pragma once
// The framework's list errors. Both are exceptions whose message is the text
// the error box shows; the list is unchanged when one is raised.

#include <stdexcept>
#include <string>

namespace lt {

class EListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "List index out of bounds (%d)" with the offending index.
[[noreturn]] void ThrowListIndexError(int index);
// "Unable to insert a line": the list refused a new row.
[[noreturn]] void ThrowInsertLineError();

} // namespace lt
