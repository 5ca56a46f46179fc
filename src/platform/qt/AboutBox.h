#pragma once

class QWidget;

namespace quorbin {

// Help > About Quorbin: the version and the licence, in a box over the window. The box is
// modal to the window only and runs no event loop of its own, so the batch's timer goes on
// as before while it is open.
void showAboutBox(QWidget& window);

} // namespace quorbin
