// Events of the simulated game's objects.
#include "game_events.h"

#include "game_layout.h"

namespace tools {

namespace {

Event ColorValue(const LinearColor& color) {
    return Event::array(
        {FloatValue(color.r), FloatValue(color.g), FloatValue(color.b), FloatValue(color.a)});
}

}  // namespace

Event DeliveryEvent(const sim::Delivery& delivery) {
    switch (delivery.kind) {
        case sim::Delivery::kNotification:
            return {{"event", "notification"},
                    {"player", delivery.player},
                    {"text", delivery.notification.text},
                    {"color", ColorValue(delivery.notification.color)},
                    {"size", FloatValue(delivery.notification.size)},
                    {"time", FloatValue(delivery.notification.time)}};
        case sim::Delivery::kChat:
            return {{"event", "chat"},
                    {"player", delivery.player},
                    {"sender", delivery.chat.sender},
                    {"text", delivery.chat.text}};
        case sim::Delivery::kDirect:
            break;
    }
    return {{"event", "direct"},
            {"player", delivery.player},
            {"text", delivery.direct.text},
            {"color", ColorValue(delivery.direct.color)}};
}

Event CreatureEvent(sim::World& world, const sim::Creature& creature) {
    const sim::DinoLayout& dino = *creature.object;
    const sim::StatusLayout& status = *creature.status;
    // The game has sleep properties only on the Megalosaurus's class.
    const bool megalosaurus = world.IsMegalosaurus(creature);
    return {{"event", "creature"},
            {"name", creature.name},
            {"speed", FloatValue(status.current[sim::kStatSpeed])},
            {"stamina_consumption", FloatValue(status.running_stamina_consumption)},
            {"stamina_recovery", FloatValue(status.recovery[sim::kStatStamina])},
            {"infinite_weight", sim::bits::Get(status.flags, sim::bits::kInfiniteWeight)},
            {"force_refresh_weight", sim::bits::Get(status.flags, sim::bits::kForceRefreshWeight)},
            {"can_ignore_water", sim::bits::Get(dino.character.flags, sim::bits::kCanIgnoreWater)},
            {"flyer_allow_caves", sim::bits::Get(dino.dino.flags, sim::bits::kFlyerAllowCaves)},
            {"sleep_debt", megalosaurus ? FloatValue(dino.dino.current_sleep_debt) : Event()},
            {"sleep_debt_multiplier",
             megalosaurus ? FloatValue(dino.dino.sleep_debt_multiplier) : Event()},
            {"buffs", world.BuffNames(creature)},
            {"rescales", status.rescales},
            {"syncs", status.syncs}};
}

Event CreatureChanges(const Event& before, const Event& after) {
    Event changes = Event::array();
    for (const auto& [field, value] : after.items()) {
        if (field == "event" || field == "name" || field == "rescales" || field == "syncs")
            continue;
        if (before.contains(field) && before[field] == value) continue;
        changes.push_back(
            {{"field", field}, {"from", before.value(field, Event())}, {"to", value}});
    }
    return changes;
}

}  // namespace tools
