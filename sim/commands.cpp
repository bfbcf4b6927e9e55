// The host's command registries.
#include "commands.h"

#include <algorithm>

#include "host/utf.h"

namespace sim {

namespace {

platform::WideString Copy(const FString& name) { return platform::WideString(name.View()); }

std::string Utf8(const platform::WideString& name) {
    return utf::Utf16ToUtf8(name.data(), name.size());
}

bool SameNoCase(const platform::WideString& a, const platform::WideString& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (platform::ToUpper(a[i]) != platform::ToUpper(b[i])) return false;
    }
    return true;
}

platform::WideString FirstWord(const platform::WideString& text) {
    const auto start = text.find_first_not_of(u' ');
    if (start == platform::WideString::npos) return {};
    const auto end = text.find(u' ', start);
    return text.substr(start, end == platform::WideString::npos ? end : end - start);
}

template <typename Entries>
bool Remove(Entries& entries, const FString& name) {
    const platform::WideString wanted = Copy(name);
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const auto& entry) { return entry.name == wanted; });
    if (it == entries.end()) return false;
    entries.erase(it);
    return true;
}

template <typename Entries>
std::vector<std::string> Names(const Entries& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) names.push_back(Utf8(entry.name));
    return names;
}

template <typename Entries>
auto Find(const Entries& entries, const platform::WideString& word) {
    return std::find_if(entries.begin(), entries.end(),
                        [&](const auto& entry) { return SameNoCase(entry.name, word); });
}

}  // namespace

void CommandRegistry::AddChatCommand(const FString& name,
                                     const ArkApi::ChatCommandCallback& callback) {
    history_.push_back("add chat " + Utf8(Copy(name)));
    chat_.push_back({Copy(name), callback});
}

void CommandRegistry::AddConsoleCommand(const FString& name,
                                        const ArkApi::ConsoleCommandCallback& callback) {
    history_.push_back("add console " + Utf8(Copy(name)));
    console_.push_back({Copy(name), callback});
}

void CommandRegistry::AddRconCommand(const FString& name,
                                     const ArkApi::RconCommandCallback& callback) {
    history_.push_back("add rcon " + Utf8(Copy(name)));
    rcon_.push_back({Copy(name), callback});
}

void CommandRegistry::AddOnTickCallback(const FString& id, const ArkApi::TickCallback& callback) {
    history_.push_back("add tick " + Utf8(Copy(id)));
    tick_.push_back({Copy(id), callback});
}

void CommandRegistry::AddOnTimerCallback(const FString& id,
                                         const ArkApi::TimerCallback& callback) {
    history_.push_back("add timer " + Utf8(Copy(id)));
    timer_.push_back({Copy(id), callback});
}

void CommandRegistry::AddOnChatMessageCallback(const FString& id,
                                               const ArkApi::ChatMessageCallback& callback) {
    history_.push_back("add chat-message " + Utf8(Copy(id)));
    chat_message_.push_back({Copy(id), callback});
}

bool CommandRegistry::RemoveChatCommand(const FString& name) {
    history_.push_back("remove chat " + Utf8(Copy(name)));
    return Remove(chat_, name);
}

bool CommandRegistry::RemoveConsoleCommand(const FString& name) {
    history_.push_back("remove console " + Utf8(Copy(name)));
    return Remove(console_, name);
}

bool CommandRegistry::RemoveRconCommand(const FString& name) {
    history_.push_back("remove rcon " + Utf8(Copy(name)));
    return Remove(rcon_, name);
}

bool CommandRegistry::RunChat(AShooterPlayerController* sender, const std::string& text,
                              EChatSendMode::Type mode) {
    const auto wide = utf::Utf8ToUtf16<FString::Char>(text);
    auto it = Find(chat_, FirstWord(wide));
    if (it == chat_.end()) return false;
    auto callback = it->callback;  // the callback may change the registry
    FString message(wide);
    const std::string name = Utf8(it->name);
    guard_.Run("chat command " + name, [&] { callback(sender, &message, mode); });
    return true;
}

bool CommandRegistry::RunConsole(APlayerController* issuer, const std::string& text) {
    const auto wide = utf::Utf8ToUtf16<FString::Char>(text);
    auto it = Find(console_, FirstWord(wide));
    if (it == console_.end()) return false;
    auto callback = it->callback;
    FString command(wide);
    const std::string name = Utf8(it->name);
    guard_.Run("console command " + name, [&] { callback(issuer, &command, false); });
    return true;
}

bool CommandRegistry::RunRcon(RCONClientConnection* connection, RCONPacket* packet,
                              UWorld* world) {
    auto it = Find(rcon_, FirstWord(platform::WideString(packet->body.View())));
    if (it == rcon_.end()) return false;
    auto callback = it->callback;
    const std::string name = Utf8(it->name);
    guard_.Run("rcon command " + name, [&] { callback(connection, packet, world); });
    return true;
}

void CommandRegistry::Tick(float seconds) {
    auto ticks = tick_;
    for (auto& entry : ticks) {
        guard_.Run("tick " + Utf8(entry.name), [&] { entry.callback(seconds); });
    }
}

std::vector<std::string> CommandRegistry::ChatNames() const { return Names(chat_); }
std::vector<std::string> CommandRegistry::ConsoleNames() const { return Names(console_); }
std::vector<std::string> CommandRegistry::RconNames() const { return Names(rcon_); }

}  // namespace sim
