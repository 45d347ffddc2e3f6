#pragma once

#include <stdexcept>

namespace lt {

// Every failure of the graphics layer (bad image data, impossible sizes,
// files that cannot be read or written) is reported as this exception.
class GfxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace lt
