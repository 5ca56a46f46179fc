#include "platform/qt/QtMenuChoice.h"

#include <QAction>

namespace quorbin {

QtMenuChoice::QtMenuChoice(QActionGroup& group) : group_(group) {
    QObject::connect(&group_, &QActionGroup::triggered, &group_, [this](QAction* action) {
        if (handler_)
            handler_(action->data().toInt());
    });
}

int QtMenuChoice::chosen() const {
    const QAction* checked = group_.checkedAction();
    return checked ? checked->data().toInt() : -1;
}

void QtMenuChoice::setChosen(int item) {
    for (QAction* action : group_.actions())
        if (action->data().toInt() == item)
            action->setChecked(true);
}

} // namespace quorbin
