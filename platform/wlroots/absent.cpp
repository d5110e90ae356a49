// Built where the protocol's XML was not found: the chooser passes over it.
#include "platform/wlroots/wlroots.h"

namespace Wlroots {

namespace {

bool Connect() {
    return false;
}

}  // namespace

const Desktop::Operations Operations = {Connect};

}  // namespace Wlroots
