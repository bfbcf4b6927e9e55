// What the parts of the configuration check share: the list of findings, JSON pointers, the
// nearest known name, and the plugin's own typed reads with the errors they raise.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check.h"
#include "config_keys.h"

namespace tools {

class Findings {
public:
    void Error(const std::string& pointer, const std::string& message) {
        list_.push_back({pointer, true, message});
    }
    void Warning(const std::string& pointer, const std::string& message) {
        list_.push_back({pointer, false, message});
    }
    // A value of the wrong JSON type.
    void WrongType(const std::string& pointer, bool error, const std::string& found,
                   const std::string& expected, const std::string& message) {
        list_.push_back({pointer, error, message, found, expected});
    }
    // A value that must be an object: "is an array, must be an object: <consequence>".
    void NotAnObject(const std::string& pointer, const Json& value, bool error,
                     const std::string& consequence);
    void Add(Finding finding) { list_.push_back(std::move(finding)); }
    std::vector<Finding> Take() { return std::move(list_); }

private:
    std::vector<Finding> list_;
};

// ASCII letters in lower case, as names are compared when a near miss is looked for.
std::string Lower(std::string text);

// `parent` + "/" + the key, escaped as JSON pointers escape "~" and "/".
std::string Pointer(const std::string& parent, const std::string& key);

// The known name closest to `name` (same letters in another case, or a small typo); "" if none.
std::string NearestName(const std::string& name, const std::vector<std::string>& known);
std::vector<std::string> KeyNames(Section section);

// The unknown members of `object`, each a warning naming the nearest known key.
void WarnUnknownKeys(const Json& object, const std::string& pointer, Section section,
                     Findings& findings);

// Reads `key` of `object` as the plugin does (the JSON library's value() with the key's
// default); the library's error text when that fails, nothing when it succeeds or is missing.
std::optional<std::string> ReadError(const Json& object, const KeyInfo& key);

// Checks one typed key: an error (or, when the plugin never reads it here, a warning saying
// why) for a wrong type, warnings for numbers that do not read as written. `consequence` says
// what fails, e.g. "the speed command fails".
void CheckKey(const Json& object, const std::string& pointer, const KeyInfo& key,
              const std::string& consequence, Findings& findings,
              const std::string& unread_reason = "");

// "a string", "an object", ... for messages.
std::string WithArticle(const std::string& type_name);

}  // namespace tools
