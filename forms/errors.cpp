#include "forms/errors.h"

#include <cstdio>

namespace lt {

void ThrowListIndexError(int index)
{
    char text[64];
    std::snprintf(text, sizeof text, "List index out of bounds (%d)", index);
    throw EListError(text);
}

void ThrowInsertLineError()
{
    throw EListError("Unable to insert a line");
}

} // namespace lt
