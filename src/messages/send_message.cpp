// Message delivery to players.
#include "messages/send_message.h"

#include <optional>

#include "host/arkapi.h"
#include "host/bindings.h"
#include "host/color.h"
#include "host/tarray.h"
#include "host/text.h"
#include "messages/message_color.h"

namespace {

void ApplyReplacements(std::string& text, const std::vector<std::string>& replacements) {
    for (std::size_t i = 0; i + 1 < replacements.size(); i += 2) {
        const std::size_t at = text.find(replacements[i]);
        if (at != std::string::npos) text.replace(at, replacements[i].size(), replacements[i + 1]);
    }
}

void SendNotification(const Json& entry, AShooterPlayerController* player, FString& text) {
    const int time = entry.value("Time", 10);
    const double size = entry.value("Size", 1.2);
    LinearColor color = LinearColorFromColor(ParseMessageColor(entry.value("Color", std::string())));
    CallGameFunction<void>("AShooterPlayerController.ClientServerSOTFNotificationCustom", player,
                           &text, &color, static_cast<float>(size), static_cast<float>(time),
                           static_cast<void*>(nullptr), static_cast<void*>(nullptr));
}

// The game's chat record as the plugin keeps it; the game is handed a copy that it owns.
struct ChatRecord {
    FString sender;
    FString text;

    static RawFString Duplicate(const FString& source) {
        if (source.Count() == 0) return {};
        FString copy(source);  // sized exactly: capacity = count
        const std::int32_t count = copy.Count();
        const std::int32_t capacity = copy.Capacity();
        return {copy.Release(), count, capacity};
    }

    void SendTo(AShooterPlayerController* player) const {
        ChatMessageRecord record{};
        record.sender_name = Duplicate(sender);
        record.message = Duplicate(text);
        record.receive_time = -1.0;
        CallGameFunction<void>("AShooterPlayerController.ClientChatMessage", player, record);
    }
};

}  // namespace

void SendConfiguredMessage(const Json& entry, AShooterPlayerController* player,
                           std::vector<std::string> replacements) {
    if (!entry.is_object()) return;
    std::string message = entry.value("Msg", std::string());
    if (message.empty()) return;
    ApplyReplacements(message, replacements);
    FString text = FStringFromUtf8(message);
    const bool notification = entry.value("Type", std::string("Notification")) == "Notification";

    if (player != nullptr) {
        if (notification) {
            SendNotification(entry, player, text);
        } else {
            const ChatRecord record{FStringFromUtf8(entry.value("Sender", std::string("Server"))),
                                    std::move(text)};
            record.SendTo(player);
        }
        return;
    }

    std::optional<ChatRecord> record;
    if (!notification) {
        record.emplace(ChatRecord{FStringFromUtf8(entry.value("Sender", std::string("Server"))),
                                  std::move(text)});
    }
    UWorld* world = ArkApi::GetApiUtils().GetWorld();
    const auto& controllers = GameFieldRef<TArray<FWeakObjectPtr>>(world, "UWorld.PlayerControllerList");
    for (std::int32_t i = 0; i < controllers.Num(); ++i) {
        const FWeakObjectPtr weak = controllers[i];
        auto* controller = reinterpret_cast<AShooterPlayerController*>(GetWeakObject(&weak));
        if (controller == nullptr) continue;
        if (notification) {
            SendNotification(entry, controller, text);
        } else {
            record->SendTo(controller);
        }
    }
}
