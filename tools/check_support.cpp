// Helpers of the configuration check.
#include "check_support.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace tools {

namespace {

std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// What a number key's value becomes, when that is not what it says.
void CheckNumber(const Json& value, const std::string& pointer, const KeyInfo& key,
                 Findings& findings) {
    if (value.is_boolean()) {
        findings.Warning(pointer, std::string("is a boolean: it reads as the number ") +
                                      (value.get<bool>() ? "1" : "0"));
        return;
    }
    const double number = value.get<double>();
    if (key.type == KeyType::kFloat && std::fabs(number) > FLT_MAX) {
        findings.Warning(pointer, "does not fit a 32-bit float: it reads as infinity");
    }
    if (key.type == KeyType::kInt32) {
        if (number < INT32_MIN || number > INT32_MAX) {
            findings.Warning(pointer, "is out of the range of a 32-bit integer");
        } else if (value.is_number_float() && number != std::trunc(number)) {
            findings.Warning(pointer, "reads as " + std::to_string(std::int32_t(number)) +
                                          ": the fraction is cut off");
        }
    }
}

// "OnSpeedCmd" in "OnSpeedCommand": one name is the other with letters left out, and both
// start alike.
bool Abbreviates(const std::string& a, const std::string& b) {
    const std::string& shorter = a.size() < b.size() ? a : b;
    const std::string& longer = a.size() < b.size() ? b : a;
    if (shorter.size() < 4 || shorter.compare(0, 3, longer, 0, 3) != 0) return false;
    std::size_t at = 0;
    for (char c : longer) at += at < shorter.size() && shorter[at] == c;
    return at == shorter.size();
}

}  // namespace

std::string Lower(std::string text) {
    for (char& c : text) c = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
    return text;
}

void Findings::NotAnObject(const std::string& pointer, const Json& value, bool error,
                           const std::string& consequence) {
    WrongType(pointer, error, value.type_name(), "object",
              "is " + WithArticle(value.type_name()) + ", must be an object: " + consequence);
}

std::string Pointer(const std::string& parent, const std::string& key) {
    std::string escaped;
    for (char c : key) {
        if (c == '~') {
            escaped += "~0";
        } else if (c == '/') {
            escaped += "~1";
        } else {
            escaped += c;
        }
    }
    return parent + "/" + escaped;
}

std::string NearestName(const std::string& name, const std::vector<std::string>& known) {
    std::string best;
    std::size_t best_distance = 0;
    for (const std::string& candidate : known) {
        if (Lower(candidate) == Lower(name)) return candidate;
        // A typo is a few letters; longer names may carry a few more.
        const std::size_t limit = std::max<std::size_t>(2, candidate.size() / 5);
        const std::size_t distance = EditDistance(Lower(name), Lower(candidate));
        const bool close = distance <= limit || Abbreviates(Lower(name), Lower(candidate));
        if (close && (best.empty() || distance < best_distance)) {
            best = candidate;
            best_distance = distance;
        }
    }
    return best;
}

std::vector<std::string> KeyNames(Section section) {
    std::vector<std::string> names;
    for (const KeyInfo& key : KeysOf(section)) names.push_back(key.name);
    return names;
}

void WarnUnknownKeys(const Json& object, const std::string& pointer, Section section,
                     Findings& findings) {
    for (const auto& [name, value] : object.items()) {
        if (FindKey(section, name) != nullptr) continue;
        if (section == Section::kTopLevel && name == kSchemaKey) continue;
        std::string message = "unknown key: the plugin does not read it";
        const std::string nearest = NearestName(name, KeyNames(section));
        if (!nearest.empty()) message += "; did you mean \"" + nearest + "\"?";
        findings.Warning(Pointer(pointer, name), message);
    }
}

std::optional<std::string> ReadError(const Json& object, const KeyInfo& key) {
    try {
        switch (key.type) {
            case KeyType::kBoolean:
                object.value(key.name, false);
                break;
            case KeyType::kFloat:
                object.value(key.name, 0.0f);
                break;
            case KeyType::kDouble:
                object.value(key.name, 0.0);
                break;
            case KeyType::kInt32:
                object.value(key.name, std::int32_t{0});
                break;
            case KeyType::kString:
                object.value(key.name, std::string());
                break;
            case KeyType::kObject:
                if (object.contains(key.name) && !object[key.name].is_object() &&
                    !object[key.name].is_null()) {
                    return "must be an object or null";
                }
                break;
        }
    } catch (const Json::exception& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

std::string WithArticle(const std::string& type_name) {
    const bool vowel =
        !type_name.empty() && std::string("aeiou").find(type_name[0]) != std::string::npos;
    return (vowel ? "an " : "a ") + type_name;
}

void CheckKey(const Json& object, const std::string& parent, const KeyInfo& key,
              const std::string& consequence, Findings& findings,
              const std::string& unread_reason) {
    if (!object.contains(key.name)) return;
    const std::string pointer = Pointer(parent, key.name);
    const Json& value = object[key.name];
    const std::string found = value.type_name();
    const std::string expected = ExpectedTypeName(key.type);
    const auto error = ReadError(object, key);
    if (error && unread_reason.empty()) {
        findings.WrongType(pointer, true, found, expected,
                           "is " + WithArticle(found) + ", must be " + WithArticle(expected) +
                               ": " + consequence + " with " + *error);
    } else if (error) {
        findings.WrongType(pointer, false, found, expected,
                           "is " + WithArticle(found) + ", must be " + WithArticle(expected) +
                               "; it is not read " + unread_reason + ", but would fail with " +
                               *error);
    } else if (!unread_reason.empty()) {
        findings.Warning(pointer, "is not read " + unread_reason);
    } else if (expected == "number") {
        CheckNumber(value, pointer, key, findings);
    }
}

}  // namespace tools
