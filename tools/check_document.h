// The walk over a parsed configuration document.
#pragma once

#include "check_support.h"

namespace tools {

void CheckDocument(const Json& document, Findings& findings);
void CheckMessages(const Json& document, Findings& findings);

// The error text the JSON library raises for each kind of access the plugin makes on `value`.
std::string ValueError(const Json& value);  // value(), on something that is not an object
std::string IndexError(const Json& value);  // operator[] with a key, on a non-object non-null

}  // namespace tools
