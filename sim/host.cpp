// The simulated host and its exports.
#include "host.h"

#include <cstdio>
#include <cstdlib>

#include "host/utf.h"

namespace sim {

namespace {
Host* current = nullptr;

void* Malloc(std::uint64_t size, std::uint32_t) { return Host::Get().heap.Malloc(size); }
void* Realloc(void* block, std::uint64_t size) { return Host::Get().heap.Realloc(block, size); }
void Free(void* block) { Host::Get().heap.Free(block); }
}  // namespace

Host::Host(std::string dir) : sink(std::make_shared<RecordingSink>()), current_dir(std::move(dir)) {
    if (current != nullptr) {
        std::fprintf(stderr, "simulated host: a second host while one is current\n");
        std::abort();
    }
    sinks.push_back(sink);
    names.AddFunction("FMemory.Malloc", reinterpret_cast<void*>(&Malloc));
    names.AddFunction("FMemory.Realloc", reinterpret_cast<void*>(&Realloc));
    names.AddFunction("FMemory.Free", reinterpret_cast<void*>(&Free));
    current = this;
}

Host::~Host() { current = nullptr; }

Host& Host::Get() {
    if (current == nullptr) {
        std::fprintf(stderr, "simulated host: a host function was called with no host\n");
        std::abort();
    }
    return *current;
}

bool Host::Exists() { return current != nullptr; }

}  // namespace sim

// The host's exports, as a plugin links them.

namespace {
// Unknown names resolve to a zeroed scratch area instead of a wild address, so a test sees the
// unresolved name in the record instead of a crash.
alignas(16) unsigned char scratch[4096];
}  // namespace

void* GetAddress(const std::string& name) { return sim::Host::Get().names.Function(name); }

std::uint64_t GetAddress(const void* object, const std::string& name) {
    std::size_t offset = 0;
    if (object == nullptr || !sim::Host::Get().names.Field(name, &offset)) {
        return reinterpret_cast<std::uint64_t>(scratch);
    }
    return reinterpret_cast<std::uint64_t>(object) + offset;
}

BitField GetBitField(const void* object, const std::string& name) {
    sim::BitInfo info{};
    if (object == nullptr || !sim::Host::Get().names.Bit(name, &info)) {
        return {reinterpret_cast<std::uint64_t>(scratch), 0, 1};
    }
    return {reinterpret_cast<std::uint64_t>(object) + info.word_offset, info.bit_offset,
            info.bit_count};
}

UProperty* UObject::FindProperty(FName name) {
    auto& host = sim::Host::Get();
    ++host.property_lookups;
    return host.find_property == nullptr ? nullptr : host.find_property(this, name);
}

namespace ArkApi {

IHooks& GetHooks() { return sim::Host::Get().hooks; }
ICommands& GetCommands() { return sim::Host::Get().commands; }
IApiUtils& GetApiUtils() { return sim::Host::Get(); }

namespace Tools {
std::string GetCurrentDir() { return sim::Host::Get().current_dir; }
bool IsPluginLoaded(const std::string& plugin_name) {
    return sim::Host::Get().loaded_plugins.count(plugin_name) != 0;
}
platform::WideString Utf8Decode(const std::string& text) {
    return utf::Utf8ToUtf16<platform::WideChar>(text);
}
}  // namespace Tools

}  // namespace ArkApi

std::vector<std::shared_ptr<spdlog::sinks::sink>>& GetLogSinks() { return sim::Host::Get().sinks; }
