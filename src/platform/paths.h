// Where the running program lives.
#pragma once

#include <string>

namespace qw {

// The folder of the running executable, without a trailing slash; empty when
// the executable sits in the root folder or cannot be found.
std::string ExecutableFolder();

}  // namespace qw
