#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace quorbin {

// The menu bar above the client area: Batch > When the batch is done (radio items, their
// data the numbers of WhenDoneItem, "Do nothing" chosen), Batch > Open the log file, and
// Help > About Quorbin. Alt+B and Alt+H open the menus.
class MainMenuBar final : public QMenuBar {
public:
    explicit MainMenuBar(QWidget* parent = nullptr);

    QActionGroup& whenDone() { return whenDone_; }
    QAction& openLog() { return openLog_; }
    QAction& about() { return about_; }

private:
    QMenu batch_{this};
    QMenu whenDoneMenu_{this};
    QMenu help_{this};
    QActionGroup whenDone_{this};
    QAction openLog_{this};
    QAction about_{this};
};

} // namespace quorbin
