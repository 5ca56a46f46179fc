#include "platform/qt/QtMainWindow.h"

#include "platform/TwipsConversion.h"
#include "platform/qt/AboutBox.h"
#include "platform/qt/DesignFonts.h"

#include <QCloseEvent>
#include <QDirIterator>
#include <QEvent>
#include <QIcon>
#include <QLayout>
#include <QWindowStateChangeEvent>

#include <array>
#include <utility>

namespace quorbin {

namespace {

constexpr int designedInnerWidth = 8145;
constexpr int designedInnerHeight = 8880;
constexpr int tickMilliseconds = 500;

struct Placement {
    int left, top, width, height;
};

QRect toPixels(Placement p, double dpi) {
    return QRect(twipsToPixels(p.left, dpi), twipsToPixels(p.top, dpi), twipsToPixels(p.width, dpi),
                 twipsToPixels(p.height, dpi));
}

void makePlainButton(QPushButton& button, const char* caption) {
    button.setText(QString::fromLatin1(caption));
    // No button is the window's default or cancel button: Enter and Escape press nothing.
    button.setAutoDefault(false);
    button.setDefault(false);
}

// The tool's icon in the sizes rendered into the resources at build time.
QIcon toolIcon() {
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    return icon;
}

void makeScrollingBox(QPlainTextEdit& box) {
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves the focus on, as in every other control, instead of typing a tab.
    box.setTabChangesFocus(true);
}

} // namespace

QtMainWindow::QtMainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Quorbin"));
    setMenuBar(&menus_);
    setCentralWidget(&clientArea_);
    connect(&menus_.about(), &QAction::triggered, this, [this] { showAboutBox(*this); });
    nameControls();
    describeControls();
    styleControls();
    placeControls();
    chainTabOrder();
    timerTimer_.setInterval(tickMilliseconds);
    connect(&timerTimer_, &QTimer::timeout, this, [this] {
        if (tick_)
            tick_();
    });
}

void QtMainWindow::nameControls() {
    setObjectName(QStringLiteral("mainForm"));
    clientArea_.setObjectName(QStringLiteral("clientArea"));
    buttonSelectAvi_.setObjectName(QStringLiteral("buttonSelectAvi"));
    buttonSelectExe_.setObjectName(QStringLiteral("buttonSelectExe"));
    listFiles_.setObjectName(QStringLiteral("listFiles"));
    buttonSelectVcf_.setObjectName(QStringLiteral("buttonSelectVcf"));
    boxCmdLine_.setObjectName(QStringLiteral("boxCmdLine"));
    boxScript_.setObjectName(QStringLiteral("boxScript"));
    boxTemplate_.setObjectName(QStringLiteral("boxTemplate"));
    boxVcf_.setObjectName(QStringLiteral("boxVcf"));
    boxExe_.setObjectName(QStringLiteral("boxExe"));
    buttonStart_.setObjectName(QStringLiteral("buttonStart"));
    buttonLoadAvs_.setObjectName(QStringLiteral("buttonLoadAvs"));
    buttonAbort_.setObjectName(QStringLiteral("buttonAbort"));
    listLog_.setObjectName(QStringLiteral("listLog"));
    buttonPause_.setObjectName(QStringLiteral("buttonPause"));
    BoxTimeout_.setObjectName(QStringLiteral("BoxTimeout"));
    labelTime_.setObjectName(QStringLiteral("labelTime"));
    buttonSaveAvs_.setObjectName(QStringLiteral("buttonSaveAvs"));
    buttonStop_.setObjectName(QStringLiteral("buttonStop"));
    timerTimer_.setObjectName(QStringLiteral("timerTimer"));
}

// The boxes, lists and the clock have no caption beside them; these names are what a
// screen reader says when one of them takes the focus.
void QtMainWindow::describeControls() {
    const std::array<std::pair<QWidget*, const char*>, 9> names{{
        {&boxExe_, "Processing program"},
        {&boxVcf_, "Settings file"},
        {&boxTemplate_, "Script template"},
        {&listFiles_, "AVI files"},
        {&boxScript_, "Job script"},
        {&boxCmdLine_, "Command line"},
        {&listLog_, "Event log"},
        {&labelTime_, "Time in the current state"},
        {&BoxTimeout_, "Time-out in minutes"},
    }};
    for (const auto& [widget, name] : names)
        widget->setAccessibleName(QString::fromLatin1(name));
}

void QtMainWindow::styleControls() {
    makePlainButton(buttonSelectAvi_, "Select AVI");
    makePlainButton(buttonSelectExe_, "Select EXE");
    makePlainButton(buttonSelectVcf_, "Select VCF");
    makePlainButton(buttonStart_, "Start");
    makePlainButton(buttonLoadAvs_, "Load AVS");
    makePlainButton(buttonAbort_, "Abort");
    makePlainButton(buttonPause_, "Pause");
    makePlainButton(buttonSaveAvs_, "Save AVS");
    makePlainButton(buttonStop_, "Stop");

    // The marks are check boxes, ticked entry by entry; the highlighted row is the
    // current entry.
    listFiles_.setSelectionMode(QAbstractItemView::SingleSelection);
    listFiles_.setEditTriggers(QAbstractItemView::NoEditTriggers);
    listFiles_.setUniformItemSizes(true);

    makeScrollingBox(boxCmdLine_);
    makeScrollingBox(boxScript_);
    makeScrollingBox(boxTemplate_);
    boxScript_.setFont(scriptFont());
    boxTemplate_.setFont(scriptFont());

    // The log grows without end: its view places rows by number and never lays them out.
    listLog_.setModel(&logLines_);

    // The boxes and lists carry texts far longer than QLineEdit's default limit.
    boxExe_.setMaxLength(1 << 24);
    boxVcf_.setMaxLength(1 << 24);
    BoxTimeout_.setMaxLength(1 << 24);
    BoxTimeout_.setText(QStringLiteral("60"));
    BoxTimeout_.setAlignment(Qt::AlignCenter);
    BoxTimeout_.setFont(boldCaptionFont());
    labelTime_.setText(QStringLiteral("00:00:00"));
    labelTime_.setAlignment(Qt::AlignCenter);
    labelTime_.setFont(boldCaptionFont());
}

void QtMainWindow::placeControls() {
    const double dpi = logicalDpiX();
    const std::array<std::pair<QWidget*, Placement>, 18> placements{{
        {&buttonSelectAvi_, {150, 2250, 1425, 345}},
        {&buttonSelectExe_, {150, 120, 1425, 345}},
        {&listFiles_, {1740, 2250, 6105, 1635}},
        {&buttonSelectVcf_, {150, 600, 1425, 345}},
        {&boxCmdLine_, {1740, 5370, 6105, 585}},
        {&boxScript_, {1740, 4230, 6105, 975}},
        {&boxTemplate_, {1740, 1080, 6075, 1005}},
        {&boxVcf_, {1740, 600, 6105, 315}},
        {&boxExe_, {1740, 120, 6105, 315}},
        {&buttonStart_, {150, 6150, 1425, 345}},
        {&buttonLoadAvs_, {150, 1080, 1425, 345}},
        {&buttonAbort_, {150, 7320, 1425, 345}},
        {&listLog_, {1740, 6150, 6105, 2400}},
        {&buttonPause_, {150, 6540, 1425, 345}},
        {&BoxTimeout_, {300, 7950, 1155, 375}},
        {&labelTime_, {120, 5490, 1455, 345}},
        {&buttonSaveAvs_, {150, 1500, 1425, 345}},
        {&buttonStop_, {150, 6930, 1425, 345}},
    }};
    for (const auto& [widget, placement] : placements)
        widget->setGeometry(toPixels(placement, dpi));
    sizeClientArea(QSize(twipsToPixels(designedInnerWidth, dpi), twipsToPixels(designedInnerHeight, dpi)));
}

// The menu bar's height depends on the style, the font and the width (it wraps when
// narrow, and is not in the window at all where the desktop shows menus elsewhere), so
// the window's layout is asked what it leaves for the client area, and the window is made
// that much taller.
void QtMainWindow::sizeClientArea(QSize size) {
    resize(size);
    layout()->activate();
    resize(size.width(), 2 * size.height() - clientArea_.height());
    layout()->invalidate();
    layout()->activate();
}

void QtMainWindow::chainTabOrder() {
    const std::array<QWidget*, 18> order{
        &buttonSelectAvi_, &buttonSelectExe_, &listFiles_,  &buttonSelectVcf_, &boxCmdLine_,    &boxScript_,
        &boxTemplate_,     &boxVcf_,          &boxExe_,     &buttonStart_,     &buttonLoadAvs_, &buttonAbort_,
        &listLog_,         &buttonPause_,     &BoxTimeout_, &labelTime_,       &buttonSaveAvs_, &buttonStop_,
    };
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QWidget& QtMainWindow::sizedControl(SizedControl control) {
    switch (control) {
    case SizedControl::boxExe:
        return boxExe_;
    case SizedControl::boxCmdLine:
        return boxCmdLine_;
    case SizedControl::boxScript:
        return boxScript_;
    case SizedControl::boxTemplate:
        return boxTemplate_;
    case SizedControl::boxVcf:
        return boxVcf_;
    case SizedControl::listFiles:
        return listFiles_;
    case SizedControl::listLog:
        return listLog_;
    }
    return boxExe_;
}

void QtMainWindow::startTimerTimer(std::function<void()> tick) {
    tick_ = std::move(tick);
    timerTimer_.start();
}

// The icon is read once the window has first been painted: reading it loads Qt's image
// format plugins, which would hold up the first paint by several milliseconds, and the
// title bar shows it a moment later all the same.
void QtMainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (std::exchange(iconSet_, true))
        return;
    QMetaObject::invokeMethod(
        this, [this] { setWindowIcon(toolIcon()); }, Qt::QueuedConnection);
}

void QtMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    sizeChanged();
}

// Minimising and restoring leave Qt's size as it was, so no resize event comes; the
// layout still has to hear of it, as it does on other platforms.
void QtMainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if ((change->oldState() & Qt::WindowMinimized) != (windowState() & Qt::WindowMinimized))
        sizeChanged();
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted() && closed_)
        closed_();
}

void QtMainWindow::sizeChanged() {
    if (sizeChanged_)
        sizeChanged_();
}

} // namespace quorbin
