// Damaged copies of the program under test, for the start-up failure cases.
#pragma once

#include <string>

namespace e2e {

// Copies `exePath` into `folder` (created if needed) under the same file name, with
// the resource named `name` (upper case ASCII) renamed so that it is no longer found:
// its last letter becomes 'X'. Returns the copy's path, empty on failure.
std::string CopyWithoutResource(const std::string& exePath, const std::string& folder,
                                const std::string& name);

}  // namespace e2e
