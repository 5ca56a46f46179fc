#include "platform/qt/MainMenuBar.h"

#include "platform/WhenDoneItems.h"

#include <array>
#include <utility>

namespace quorbin {

MainMenuBar::MainMenuBar(QWidget* parent) : QMenuBar(parent) {
    setObjectName(QStringLiteral("menuBar"));
    batch_.setTitle(QStringLiteral("&Batch"));
    whenDoneMenu_.setTitle(QStringLiteral("&When the batch is done"));
    help_.setTitle(QStringLiteral("&Help"));
    openLog_.setText(QStringLiteral("&Open the log file"));
    about_.setText(QStringLiteral("&About Quorbin"));
    openLog_.setObjectName(QStringLiteral("menuOpenLog"));
    about_.setObjectName(QStringLiteral("menuAbout"));

    const std::array<std::pair<WhenDoneItem, const char*>, 4> items{{
        {doNothing, "Do &nothing"},
        {quitQuorbin, "&Quit Quorbin"},
        {sleepMachine, "&Sleep"},
        {shutDownMachine, "Shut &down"},
    }};
    for (const auto& [item, text] : items) {
        QAction* action = whenDone_.addAction(QString::fromLatin1(text));
        action->setCheckable(true);
        action->setData(static_cast<int>(item));
        action->setChecked(item == doNothing);
        whenDoneMenu_.addAction(action);
    }

    batch_.addMenu(&whenDoneMenu_);
    batch_.addAction(&openLog_);
    help_.addAction(&about_);
    addMenu(&batch_);
    addMenu(&help_);
}

} // namespace quorbin
