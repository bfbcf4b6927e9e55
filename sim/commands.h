// The host's chat, console and RCON command registries, which dispatch to the plugins'
// callbacks.
#pragma once

#include <string>
#include <vector>

#include "guard.h"
#include "host/arkapi.h"
#include "sim_api.h"

namespace sim {

class SIM_API CommandRegistry : public ArkApi::ICommands {
public:
    explicit CommandRegistry(CallbackGuard& guard) : guard_(guard) {}

    void AddChatCommand(const FString& name, const ArkApi::ChatCommandCallback& callback) override;
    void AddConsoleCommand(const FString& name,
                           const ArkApi::ConsoleCommandCallback& callback) override;
    void AddRconCommand(const FString& name, const ArkApi::RconCommandCallback& callback) override;
    void AddOnTickCallback(const FString& id, const ArkApi::TickCallback& callback) override;
    void AddOnTimerCallback(const FString& id, const ArkApi::TimerCallback& callback) override;
    void AddOnChatMessageCallback(const FString& id,
                                  const ArkApi::ChatMessageCallback& callback) override;
    bool RemoveChatCommand(const FString& name) override;
    bool RemoveConsoleCommand(const FString& name) override;
    bool RemoveRconCommand(const FString& name) override;

    // Runs the chat command whose name equals the first word of `text` (ASCII letters fold).
    // False when no command has that name.
    bool RunChat(AShooterPlayerController* sender, const std::string& text,
                 EChatSendMode::Type mode = EChatSendMode::GlobalChat);
    bool RunConsole(APlayerController* issuer, const std::string& text);
    bool RunRcon(RCONClientConnection* connection, RCONPacket* packet, UWorld* world);
    // Runs every tick callback.
    void Tick(float seconds);

    // Registered names (UTF-8), in registration order.
    std::vector<std::string> ChatNames() const;
    std::vector<std::string> ConsoleNames() const;
    std::vector<std::string> RconNames() const;
    // "add chat NAME", "remove console NAME", ... in the order the host received them.
    const std::vector<std::string>& History() const { return history_; }

private:
    template <typename Callback>
    struct Entry {
        platform::WideString name;
        Callback callback;
    };

    CallbackGuard& guard_;
    std::vector<Entry<ArkApi::ChatCommandCallback>> chat_;
    std::vector<Entry<ArkApi::ConsoleCommandCallback>> console_;
    std::vector<Entry<ArkApi::RconCommandCallback>> rcon_;
    std::vector<Entry<ArkApi::TickCallback>> tick_;
    std::vector<Entry<ArkApi::TimerCallback>> timer_;
    std::vector<Entry<ArkApi::ChatMessageCallback>> chat_message_;
    std::vector<std::string> history_;
};

}  // namespace sim
