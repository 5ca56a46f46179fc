#pragma once

namespace quorbin {

// The items of the menu "When the batch is done", by their number in the menu's choice.
enum WhenDoneItem : int { doNothing = 0, quitQuorbin = 1, sleepMachine = 2, shutDownMachine = 3 };

} // namespace quorbin
