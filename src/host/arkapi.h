// The ArkApi host as the plugin sees it: hooks, command registries, server utilities, tools and
// the shared log sinks. Every callback registered here is called on the game server's thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/address.h"
#include "host/fstring.h"
#include "host/game_types.h"
#include "host/platform.h"

namespace spdlog::sinks {
class sink;
}

namespace ArkApi {

using ChatCommandCallback =
    std::function<void(AShooterPlayerController*, FString*, EChatSendMode::Type)>;
using ConsoleCommandCallback = std::function<void(APlayerController*, FString*, bool)>;
using RconCommandCallback = std::function<void(RCONClientConnection*, RCONPacket*, UWorld*)>;
using TickCallback = std::function<void(float)>;
using TimerCallback = std::function<void()>;
using ChatMessageCallback =
    std::function<bool(AShooterPlayerController*, FString*, EChatSendMode::Type, bool, bool)>;

class IHooks {
public:
    virtual ~IHooks() = default;
    // Removes the detour installed on `function_name`.
    virtual bool DisableHook(const std::string& function_name, void* detour) = 0;
    // Routes the game's calls of `function_name` through `detour`; `*original` receives the
    // address through which the detour calls the game's function itself.
    virtual bool SetHookInternal(const std::string& function_name, void* detour, void** original) = 0;
};

class ICommands {
public:
    virtual ~ICommands() = default;
    // The host copies the name and the callback.
    virtual void AddChatCommand(const FString& name, const ChatCommandCallback& callback) = 0;
    virtual void AddConsoleCommand(const FString& name, const ConsoleCommandCallback& callback) = 0;
    virtual void AddRconCommand(const FString& name, const RconCommandCallback& callback) = 0;
    virtual void AddOnTickCallback(const FString& id, const TickCallback& callback) = 0;
    virtual void AddOnTimerCallback(const FString& id, const TimerCallback& callback) = 0;
    virtual void AddOnChatMessageCallback(const FString& id, const ChatMessageCallback& callback) = 0;
    virtual bool RemoveChatCommand(const FString& name) = 0;
    virtual bool RemoveConsoleCommand(const FString& name) = 0;
    virtual bool RemoveRconCommand(const FString& name) = 0;
};

enum class ServerStatus : std::int32_t { Loading = 0, Ready = 1 };

class IApiUtils {
public:
    virtual ~IApiUtils() = default;
    virtual UWorld* GetWorld() const = 0;
    virtual AShooterGameMode* GetShooterGameMode() const = 0;
    virtual ServerStatus GetStatus() const = 0;
};

ARKAPI_API IHooks& GetHooks();
ARKAPI_API ICommands& GetCommands();
ARKAPI_API IApiUtils& GetApiUtils();

namespace Tools {
// The server's current directory, narrow, without a trailing slash.
ARKAPI_API std::string GetCurrentDir();
ARKAPI_API bool IsPluginLoaded(const std::string& plugin_name);
ARKAPI_API platform::WideString Utf8Decode(const std::string& text);
}  // namespace Tools

}  // namespace ArkApi

// The host's shared log sinks, which the host and every plugin write to.
ARKAPI_API std::vector<std::shared_ptr<spdlog::sinks::sink>>& GetLogSinks();

// Typed form of a hook's detour and the address it calls the game's function through.
template <typename Function>
bool SetHook(const std::string& name, Function* detour, Function** original) {
    return ArkApi::GetHooks().SetHookInternal(name, reinterpret_cast<void*>(detour),
                                              reinterpret_cast<void**>(original));
}
template <typename Function>
bool DisableHook(const std::string& name, Function* detour) {
    return ArkApi::GetHooks().DisableHook(name, reinterpret_cast<void*>(detour));
}
