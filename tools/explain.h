// `kestravel explain`: what the plugin decides for one creature and one player, and what its
// commands and hooks then do.
#pragma once

#include <string>
#include <vector>

#include "events.h"

namespace tools {

struct ExplainRequest {
    std::string config_text;
    std::string class_path;
    bool flyer = false;
    bool water = false;
    bool vehicle = false;
    std::vector<std::string> groups;
    bool permissions_plugin = false;
};

// The answer as one JSON object: "creature", "permissions", "selection", "entry" (every key with
// its value, default or error) and "actions", or "load_error" when the plugin would not load.
Event Explain(const ExplainRequest& request);

// The readable form of the answer.
std::string ExplanationText(const Event& explanation);

}  // namespace tools
