#include "BareWindow.h"

#include <QDateTime>

#include <array>

namespace quorbin {

namespace {

// The designed places in twips, at 15 twips a pixel.
QRect placed(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace

BareWindow::BareWindow() {
    setWindowTitle(QStringLiteral("Bare"));
    const std::array<std::pair<QWidget*, QRect>, 18> placements{{
        {&buttonSelectAvi_, placed(150, 2250, 1425, 345)},
        {&buttonSelectExe_, placed(150, 120, 1425, 345)},
        {&listFiles_, placed(1740, 2250, 6105, 1635)},
        {&buttonSelectVcf_, placed(150, 600, 1425, 345)},
        {&boxCmdLine_, placed(1740, 5370, 6105, 585)},
        {&boxScript_, placed(1740, 4230, 6105, 975)},
        {&boxTemplate_, placed(1740, 1080, 6075, 1005)},
        {&boxVcf_, placed(1740, 600, 6105, 315)},
        {&boxExe_, placed(1740, 120, 6105, 315)},
        {&buttonStart_, placed(150, 6150, 1425, 345)},
        {&buttonLoadAvs_, placed(150, 1080, 1425, 345)},
        {&buttonAbort_, placed(150, 7320, 1425, 345)},
        {&listLog_, placed(1740, 6150, 6105, 2400)},
        {&buttonPause_, placed(150, 6540, 1425, 345)},
        {&BoxTimeout_, placed(300, 7950, 1155, 375)},
        {&labelTime_, placed(120, 5490, 1455, 345)},
        {&buttonSaveAvs_, placed(150, 1500, 1425, 345)},
        {&buttonStop_, placed(150, 6930, 1425, 345)},
    }};
    for (const auto& [widget, rect] : placements)
        widget->setGeometry(rect);
    listLog_.setModel(&logLines_);
    labelTime_.setAlignment(Qt::AlignCenter);
    resize(8145 / 15, 8880 / 15);
    timer_.setInterval(500);
    connect(&timer_, &QTimer::timeout, this, [this] { showTime(); });
}

void BareWindow::startClock() {
    started_ = QDateTime::currentSecsSinceEpoch();
    timer_.start();
}

void BareWindow::showTime() {
    const qint64 elapsed = QDateTime::currentSecsSinceEpoch() - started_;
    const QString text = QStringLiteral("%1:%2:%3")
                             .arg(elapsed / 3600, 2, 10, QLatin1Char('0'))
                             .arg(elapsed / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(elapsed % 60, 2, 10, QLatin1Char('0'));
    labelTime_.setText(text);
}

} // namespace quorbin
