// Events that describe the simulated game's objects and what it received, shared by `server` and
// `explain`.
#pragma once

#include "events.h"
#include "world.h"

namespace tools {

Event DeliveryEvent(const sim::Delivery& delivery);
Event CreatureEvent(sim::World& world, const sim::Creature& creature);

// The fields of a creature event that differ between `before` and `after`, as
// {"field", "from", "to"} objects.
Event CreatureChanges(const Event& before, const Event& after);

}  // namespace tools
