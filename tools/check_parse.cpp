// Reading the configuration text as the plugin does: the syntax error with its line and column,
// text after the document, and keys that repeat within one object.
#include <regex>
#include <set>
#include <sstream>

#include "check_document.h"
#include "check_support.h"

namespace tools {

namespace {

// Walks the document's events to find repeated keys; the document itself keeps only the last
// value of a repeated key, at the place of the first.
class RepeatedKeys : public nlohmann::json_sax<Json> {
public:
    explicit RepeatedKeys(Findings& findings) : findings_(findings) {}

    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool string(string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool start_object(std::size_t) override { return Open(true); }
    bool start_array(std::size_t) override { return Open(false); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool key(string_t& name) override {
        Frame& frame = frames_.back();
        if (!frame.keys.insert(name).second) {
            findings_.Warning(Pointer(PointerOfContainer(), name),
                              "the key is repeated in its object: the last value is used");
        }
        frame.current = name;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    struct Frame {
        bool object;
        std::set<std::string> keys;
        std::string current;    // the key of the member being read
        std::size_t index = 0;  // the index of the element being read
    };

    std::string PointerOfContainer() const {
        std::string pointer;
        for (std::size_t i = 0; i + 1 < frames_.size(); ++i) {
            const Frame& frame = frames_[i];
            pointer = Pointer(pointer, frame.object ? frame.current : std::to_string(frame.index));
        }
        return pointer;
    }
    bool Value() {
        if (!frames_.empty() && !frames_.back().object) ++frames_.back().index;
        return true;
    }
    bool Open(bool object) {
        frames_.push_back({object, {}, {}, 0});
        return true;
    }
    bool Close() {
        frames_.pop_back();
        return Value();
    }

    Findings& findings_;
    std::vector<Frame> frames_;
};

Finding At(const std::string& text, std::size_t offset, Finding finding) {
    finding.line = 1;
    finding.column = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++finding.line;
            finding.column = 1;
        } else {
            ++finding.column;
        }
    }
    return finding;
}

void CheckTrailingText(const std::string& text, std::istringstream& stream, Findings& findings) {
    const auto consumed = stream.tellg();
    if (consumed < 0) return;
    const std::size_t rest = text.find_first_not_of(" \t\r\n", static_cast<std::size_t>(consumed));
    if (rest == std::string::npos) return;
    findings.Add(At(text, rest,
                    {"", false, "text after the end of the document is not read by the plugin"}));
}

}  // namespace

std::vector<Finding> CheckConfigText(const std::string& text) {
    Findings findings;
    // Stream extraction, as the plugin reads its file: no comments, and nothing after the first
    // complete value is read.
    std::istringstream stream(text);
    Json document;
    try {
        stream >> document;
    } catch (const Json::parse_error& error) {
        Finding finding{"", true,
                        std::string("the load and every reload fail with ") + error.what()};
        std::smatch where;
        const std::string what = error.what();
        if (std::regex_search(what, where, std::regex(R"(at line (\d+), column (\d+))"))) {
            finding.line = std::stoi(where[1]);
            finding.column = std::stoi(where[2]);
        }
        findings.Add(finding);
        return findings.Take();
    }
    CheckTrailingText(text, stream, findings);
    RepeatedKeys repeated(findings);
    Json::sax_parse(text, &repeated, nlohmann::detail::input_format_t::json, /*strict=*/false);
    CheckDocument(document, findings);
    return findings.Take();
}

}  // namespace tools
