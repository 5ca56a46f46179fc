#include "helpers/DesignedWindow.h"
#include "platform/WhenDoneItems.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/WideText.h"
#include "platform/win32/ui/EntryMarkGlyph.h"
#include "platform/win32/ui/Win32FrontEnd.h"
#include "platform/win32/ui/WindowText.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quorbin {
namespace {

// The real window, hidden, with the adapters the program hands the core.
class FrontEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                            ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // the taskbar's COM object
    }

    HWND control(Control which) { return front.window().control(which); }
    std::wstring itemText(int row) {
        wchar_t text[256] = {};
        SendMessageW(control(Control::listFiles), LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // The mouse's left button pressed and released at a point of an entry of the file
    // list: on its name, or on its mark at the left edge.
    void userClicks(int row, bool onMark) {
        HWND list = control(Control::listFiles);
        RECT entry{};
        SendMessageW(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&entry));
        const LPARAM at =
            MAKELPARAM(onMark ? entry.left + 6 : entry.left + 60, (entry.top + entry.bottom) / 2);
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
    }
    // What the message loop does before anything is painted.
    static void runMessageLoop() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }

    Win32FrontEnd front{GetModuleHandleW(nullptr)};
    Controls c = front.controls();
};

TEST_F(FrontEnd, TextBoxesRunTheirChangeHandlerOnceForEachRealChange) {
    for (TextBox* box : {&c.boxExe, &c.boxTemplate}) {
        int changes = 0;
        box->onChange([&] { ++changes; });
        box->setText("C:\\clips\\caf\xC3\xA9.exe");
        EXPECT_EQ(changes, 1);
        box->setText("C:\\clips\\caf\xC3\xA9.exe");
        EXPECT_EQ(changes, 1) << "the same text again";
        EXPECT_EQ(box->text(), "C:\\clips\\caf\xC3\xA9.exe");
    }
}

TEST_F(FrontEnd, MultiLineBoxesShowCrLfAndKeepTheLineEndsOfTheirText) {
    struct Case {
        std::string set;
        std::wstring shown;
        std::string afterEdit; // the user adds a line "c"
    };
    const std::vector<Case> cases{
        {"a\nb", L"a\r\nb", "a\nb\nc"},
        {"a\r\nb\r\n", L"a\r\nb\r\n", "a\r\nb\r\n\r\nc"},
        {"a\rb", L"a\r\nb", "a\r\nb\r\nc"},
    };
    TextBox& box = c.boxScript;
    HWND edit = control(Control::boxScript);
    int changes = 0;
    box.onChange([&] { ++changes; });
    for (const Case& test : cases) {
        changes = 0;
        box.setText(test.set);
        EXPECT_EQ(windowText(edit), test.shown);
        EXPECT_EQ(box.text(), test.set) << "unedited, byte for byte";
        SendMessageW(edit, EM_SETSEL, GetWindowTextLengthW(edit), GetWindowTextLengthW(edit));
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r\nc"));
        EXPECT_EQ(box.text(), test.afterEdit);
        EXPECT_EQ(changes, 2);
    }
}

TEST_F(FrontEnd, FileListKeepsNamesSortedIgnoringCaseAndMarksWithTheirEntries) {
    ListBox& list = c.listFiles;
    int clicks = 0;
    list.onClick([&] { ++clicks; });
    for (const char* name : {"b.avi", "_x.avi", "B.avi", "A.avi", "\xC3\x89t\xC3\xA9.avi", "c.avi", "a.avi"})
        list.addSorted(name);
    // Lower-case folding puts "_" before the letters; equal names keep their order.
    const std::vector<std::string> sorted{
        "_x.avi", "A.avi", "a.avi", "b.avi", "B.avi", "c.avi", "\xC3\x89t\xC3\xA9.avi"};
    ASSERT_EQ(list.count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(list.entryText(i), sorted[static_cast<std::size_t>(i)]);
        EXPECT_EQ(itemText(i), widen(sorted[static_cast<std::size_t>(i)]));
    }
    list.setSelected(2, true);
    list.setCurrentIndex(2);
    list.addSorted("0.avi"); // before all: the mark and the current entry move with "a.avi"
    EXPECT_EQ(list.entryText(3), "a.avi");
    EXPECT_TRUE(list.isSelected(3));
    EXPECT_FALSE(list.isSelected(2));
    EXPECT_EQ(list.currentIndex(), 3);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(clicks, 0) << "code runs no click handler";
}

TEST_F(FrontEnd, FileListRunsItsClickHandlerForTheUserOnly) {
    ListBox& list = c.listFiles;
    for (const char* name : {"a.avi", "b.avi", "c.avi"})
        list.addSorted(name);
    int clicks = 0;
    list.onClick([&] { ++clicks; });
    list.setCurrentIndex(0);
    list.setSelected(0, true);
    EXPECT_EQ(clicks, 0);

    userClicks(1, false);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.currentIndex(), 1);
    EXPECT_FALSE(list.isSelected(1));
    userClicks(1, false);
    EXPECT_EQ(clicks, 1) << "the current entry made current again";

    // Ticking an entry makes it current, so the handler sees the entry whose mark changed.
    int currentSeen = -1;
    list.onClick([&] {
        ++clicks;
        currentSeen = list.currentIndex();
    });
    userClicks(2, true);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(currentSeen, 2);
    EXPECT_TRUE(list.isSelected(2));
    SendMessageW(control(Control::listFiles), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(list.isSelected(2));
}

TEST_F(FrontEnd, EventLogShowsEveryLineWithTheNewestSelectedAndCopiesIt) {
    const std::vector<std::string> lines{"12:00:00 (00:00:00) START",
                                         "12:00:00 (00:00:00) RUN process:7 caf\xC3\xA9",
                                         "12:00:00 (00:00:00) IDLE"};
    HWND view = control(Control::listLog);
    c.listLog.appendSelected(lines[0]);
    runMessageLoop();
    EXPECT_EQ(SendMessageW(view, LB_GETCURSEL, 0, 0), 0);
    c.listLog.appendSelected(lines[1]);
    c.listLog.appendSelected(lines[2]);
    EXPECT_EQ(c.listLog.count(), 3);
    runMessageLoop();
    EXPECT_EQ(SendMessageW(view, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(view, LB_GETCURSEL, 0, 0), 2);

    SendMessageW(view, LB_SETCURSEL, 1, 0); // as the user selects a line
    ASSERT_TRUE(static_cast<Win32LogView&>(c.listLog).copySelected());
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* copied = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    EXPECT_EQ(copied ? std::wstring(copied) : std::wstring(), widen(lines[1]));
    if (copied)
        GlobalUnlock(data);
    CloseClipboard();
}

TEST_F(FrontEnd, ListsHaveTheSunkenEdgeOfTheTextBoxes) {
    for (const Control sunken : {Control::boxExe, Control::listFiles, Control::listLog})
        EXPECT_NE(GetWindowLongW(control(sunken), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(FrontEnd, WindowWidthRunsTheResizeHandlerAtOnceAndMinimisingKeepsIt) {
    Window& window = c.window;
    int resizes = 0;
    window.onResize([&] { ++resizes; });
    const int before = window.outerWidth();
    window.setOuterWidth(before + 1500);
    EXPECT_EQ(resizes, 1);
    EXPECT_NEAR(window.outerWidth(), before + 1500, 15);
    window.setOuterWidth(window.outerWidth());
    EXPECT_EQ(resizes, 1) << "an unchanged width";

    const int width = window.outerWidth();
    front.window().show(SW_SHOWMINNOACTIVE);
    EXPECT_GE(resizes, 2);
    EXPECT_EQ(window.innerWidth(), 0);
    EXPECT_EQ(window.outerWidth(), width);
}

// At the DPI the window starts with, and at one where pixels are 10 twips and half pixels
// round up (345 twips are 34.5 pixels).
TEST_F(FrontEnd, EveryControlSitsAtItsDesignedPlaceAtTheWindowsDpi) {
    const std::vector<test::DesignedControl> designed = test::designedControls();
    ASSERT_EQ(designed.size(), controlCount);
    HWND window = front.window().handle();
    for (const UINT dpi : {front.window().dpi(), 144u}) {
        RECT suggested{0, 0, 900, 1000};
        if (dpi != front.window().dpi())
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const auto px = [dpi](int twips) { return test::designPixels(twips, static_cast<int>(dpi)); };
        for (std::size_t i = 0; i < designed.size(); ++i) {
            const test::DesignedControl& d = designed[i];
            RECT place{};
            GetWindowRect(control(static_cast<Control>(i)), &place);
            MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&place), 2);
            const RECT expected{px(d.left), px(d.top), px(d.left) + px(d.width), px(d.top) + px(d.height)};
            EXPECT_TRUE(EqualRect(&place, &expected)) << d.name << " at " << dpi << " DPI";
        }
    }
    c.window.setControlWidth(SizedControl::boxExe, 6398); // 639.8 pixels
    RECT box{};
    GetWindowRect(control(Control::boxExe), &box);
    EXPECT_EQ(box.right - box.left, 640);
}

TEST(FileDialogAnswer, GivesFullPathsForOneOrSeveralFiles) {
    using namespace std::string_literals;
    struct Case {
        std::wstring answer;
        std::vector<std::wstring> paths;
    };
    const std::vector<Case> cases{
        {L"D:\\clips\\x.avi\0\0"s, {L"D:\\clips\\x.avi"}},
        {L"D:\\clips\0b.avi\0A.avi\0\0"s, {L"D:\\clips\\b.avi", L"D:\\clips\\A.avi"}},
        {L"C:\\\0x.avi\0y.avi\0\0"s, {L"C:\\x.avi", L"C:\\y.avi"}},
        {L"\0\0"s, {}},
    };
    for (const Case& test : cases)
        EXPECT_EQ(Win32FileDialog::chosenPaths(test.answer), test.paths);
}

} // namespace
} // namespace quorbin

namespace quorbin {
namespace {

constexpr int fileNameBox = 0x47C; // cmb13 of <dlgs.h>: the explorer dialog's "File name"

TEST_F(FrontEnd, APickThatDoesNotFitIsRefusedNotCut) {
    std::thread user([] {
        HWND dialog = nullptr;
        for (int tries = 0; tries < 1000 && !(dialog && IsWindowVisible(dialog)); ++tries) {
            dialog = FindWindowW(L"#32770", L"Select AVI Files");
            Sleep(10);
        }
        std::wstring typed;
        for (int i = 0; i < 800; ++i)
            typed += L"\"clip number " + std::to_wstring(i) + L".avi\" ";
        SetDlgItemTextW(dialog, fileNameBox, typed.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    OpenFileRequest request;
    request.title = "Select AVI Files";
    request.filter = "*.avi";
    request.multiSelect = true;
    const Result<std::vector<std::string>> result = front.fileDialog().open(request);
    user.join();
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error().find("10000"), std::string::npos) << result.error();
}

} // namespace
} // namespace quorbin

namespace quorbin {
namespace {

std::wstring tipText(HWND tip, HWND control) {
    wchar_t text[512] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return text;
}

// What a screen reader would be told, by child id.
struct ReadEntries final : AccessibleEntries {
    std::map<int, std::pair<std::wstring, std::wstring>> told;
    void describe(int childId, const std::wstring& name, const std::wstring& description) override {
        told[childId] = {name, description};
    }
    void forget(int childId) override { told.erase(childId); }
};

TEST_F(FrontEnd, BadgeTooltipAndScreenReaderTextFollowTheirEntryThroughInsertions) {
    auto& list = static_cast<Win32ListBox&>(c.listFiles);
    HWND box = control(Control::listFiles);
    ReadEntries reader;
    list.describeEntriesThrough(reader);
    for (const char* name : {"a.avi", "b.avi", "c.avi"})
        list.addSorted(name);
    list.setBadge(1, {EntryMark::finished, "finished", "Finished with exit code 0 after 00:01:02."});
    list.setBadge(2, {EntryMark::failed, "exited with code 1", "Exited with code 1 after 00:00:09."});
    list.addSorted("ab.avi"); // between: b.avi and c.avi move down one
    ASSERT_EQ(list.entryText(2), "b.avi");
    const std::map<int, std::pair<std::wstring, std::wstring>> told{
        {3, {L"b.avi, finished", L"Finished with exit code 0 after 00:01:02."}},
        {4, {L"c.avi, exited with code 1", L"Exited with code 1 after 00:00:09."}}};
    EXPECT_EQ(reader.told, told);

    RECT row{};
    SendMessageW(box, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    SendMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(row.left + 80, (row.top + row.bottom) / 2));
    EXPECT_EQ(tipText(list.tooltip(), box), L"Finished with exit code 0 after 00:01:02.");
    list.addSorted("0.avi"); // "ab.avi" comes under the mouse
    ASSERT_EQ(list.count(), 5);
    EXPECT_EQ(tipText(list.tooltip(), box), L"");
    list.clear();
    EXPECT_TRUE(reader.told.empty());
}

TEST(EntryMarkGlyph, EachMarkHasAShapeOfItsOwnInOneColour) {
    constexpr int size = 16;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ before = SelectObject(dc, bitmap);
    std::vector<std::vector<bool>> shapes;
    for (int mark = 0; mark <= static_cast<int>(EntryMark::outputOfOther); ++mark) {
        const RECT all{0, 0, size, size};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        drawEntryMark(dc, RECT{1, 1, 14, 14}, static_cast<EntryMark>(mark), USER_DEFAULT_SCREEN_DPI, true);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        std::vector<bool> shape;
        for (int i = 0; i < size * size; ++i)
            shape.push_back((pixels[i] & 0xFFFFFFU) != 0xFFFFFFU);
        const bool empty = std::find(shape.begin(), shape.end(), true) == shape.end();
        EXPECT_EQ(empty, mark == 0) << "mark " << mark;
        for (std::size_t other = 0; other < shapes.size(); ++other)
            EXPECT_NE(shape, shapes[other]) << "marks " << other << " and " << mark;
        shapes.push_back(shape);
    }
    SelectObject(dc, before);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(FrontEnd, TimeoutWarningTintsTheBoxAndShowsTheNoteAsItsTooltip) {
    auto& box = static_cast<Win32TextBox&>(c.BoxTimeout);
    HWND edit = control(Control::BoxTimeout);
    HDC dc = GetDC(edit);
    const auto background = [&] {
        SendMessageW(front.window().handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(edit));
        return GetBkColor(dc);
    };
    const COLORREF normal = background();
    box.setWarning("reads as 0 minutes");
    EXPECT_NE(background(), normal);
    EXPECT_EQ(tipText(box.tooltip(), edit), L"reads as 0 minutes");
    box.setWarning("");
    EXPECT_EQ(background(), normal);
    EXPECT_EQ(tipText(box.tooltip(), edit), L"");
    ReleaseDC(edit, dc);
}

TEST_F(FrontEnd, MenuBarKeepsTheDesignedClientAreaAndRunsItsCommandsForTheUserOnly) {
    HWND window = front.window().handle();
    ASSERT_NE(GetMenu(window), nullptr);
    RECT client{};
    GetClientRect(window, &client);
    const int dpi = static_cast<int>(front.window().dpi());
    EXPECT_EQ(client.bottom, MulDiv(8880, dpi, 1440)) << "the menu bar is not part of the designed height";
    RECT exe{};
    GetWindowRect(control(Control::boxExe), &exe);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&exe), 2);
    EXPECT_EQ(exe.top, MulDiv(120, dpi, 1440)) << "the top control keeps its place under the menu bar";

    HMENU items = front.window().whenDoneMenu();
    const auto checked = [&](MenuItem item) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        GetMenuItemInfoW(items, static_cast<UINT>(item), FALSE, &info);
        return (info.fType & MFT_RADIOCHECK) != 0 && (info.fState & MFS_CHECKED) != 0;
    };
    int chosen = -1;
    int opened = 0;
    c.menuWhenDone.onChoose([&](int item) { chosen = item; });
    c.menuOpenLog.onClick([&] { ++opened; });
    EXPECT_TRUE(checked(MenuItem::doNothing));
    c.menuWhenDone.setChosen(shutDownMachine);
    EXPECT_EQ(chosen, -1) << "code chose";
    EXPECT_TRUE(checked(MenuItem::shutDownMachine));
    EXPECT_FALSE(checked(MenuItem::doNothing));
    SendMessageW(window, WM_COMMAND, static_cast<UINT>(MenuItem::sleepMachine), 0);
    EXPECT_EQ(chosen, sleepMachine);
    EXPECT_EQ(c.menuWhenDone.chosen(), sleepMachine);
    EXPECT_TRUE(checked(MenuItem::sleepMachine));
    EXPECT_FALSE(checked(MenuItem::shutDownMachine));
    SendMessageW(window, WM_COMMAND, static_cast<UINT>(MenuItem::openLogFile), 0);
    EXPECT_EQ(opened, 1);
}

TEST_F(FrontEnd, CountdownBoxRunsTheCancelHandlerForTheUserOnly) {
    Win32CountdownBox& box = front.countdown();
    int cancels = 0;
    box.onCancel([&] { ++cancels; });
    box.show("The machine will go to sleep in 60 seconds.");
    HWND first = box.handle();
    box.show("The machine will go to sleep in 59 seconds.");
    ASSERT_EQ(box.handle(), first) << "one box, its text replaced";
    EXPECT_NE(windowText(GetWindow(first, GW_CHILD)).find(L"59 seconds"), std::wstring::npos);
    box.close();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(cancels, 0);

    box.show("in 58 seconds.");
    SendMessageW(GetDlgItem(box.handle(), IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(box.handle(), nullptr);
    EXPECT_EQ(cancels, 1);
    box.show("in 57 seconds.");
    SendMessageW(box.handle(), WM_CLOSE, 0, 0); // its close box
    EXPECT_EQ(box.handle(), nullptr);
    EXPECT_EQ(cancels, 2);
}

TEST_F(FrontEnd, NotificationIconGoesWithItsBalloonAndWithTheWindow) {
    HWND window = front.window().handle();
    Win32Notifier& notifier = front.notifier();
    const auto iconThere = [&] {
        NOTIFYICONDATAW probe{};
        probe.cbSize = sizeof(probe);
        probe.hWnd = window;
        probe.uID = 1; // the notifier's icon
        return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
    };
    notifier.notify("Quorbin: batch finished", "2 files: 2 finished");
    EXPECT_TRUE(iconThere());
    SendMessageW(window, notifier.callbackMessage(), 1, MAKELPARAM(NIN_BALLOONTIMEOUT, 1));
    EXPECT_FALSE(iconThere());

    notifier.notify("Quorbin: batch finished", "2 files: 2 finished");
    int closes = 0;
    c.window.onClose([&] { ++closes; });
    c.window.close();
    EXPECT_EQ(closes, 0) << "it closes once the caller has returned";
    runMessageLoop();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(iconThere());
}

TEST_F(FrontEnd, TaskbarProgressWaitsForItsButtonThenReachesTheShell) {
    Win32TaskbarProgress& taskbar = front.taskbar();
    taskbar.show(1, 3, false);
    EXPECT_EQ(taskbar.lastOutcome(), S_FALSE) << "no button yet";
    SendMessageW(front.window().handle(), taskbar.buttonCreatedMessage(), 0, 0);
    if (taskbar.lastOutcome() == REGDB_E_CLASSNOTREG || taskbar.lastOutcome() == E_NOINTERFACE)
        GTEST_SKIP() << "this system has no ITaskbarList3: " << std::hex << taskbar.lastOutcome();
    EXPECT_EQ(taskbar.lastOutcome(), S_OK) << "the progress kept until the button came";
    taskbar.show(2, 3, true);
    EXPECT_EQ(taskbar.lastOutcome(), S_OK);
    taskbar.clear();
    EXPECT_EQ(taskbar.lastOutcome(), S_OK);
}

// Recorders of the power calls: Wine's do nothing, and real ones would end the test.
std::atomic<bool> privilegeHeld{false};
std::atomic<DWORD> shutdownFlags{0};

bool shutdownPrivilegeEnabled() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    PRIVILEGE_SET wanted{1, PRIVILEGE_SET_ALL_NECESSARY, {}};
    LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &wanted.Privilege[0].Luid);
    BOOL held = FALSE;
    PrivilegeCheck(token, &wanted, &held);
    CloseHandle(token);
    return held != FALSE;
}

void disableShutdownPrivilege() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token);
    TOKEN_PRIVILEGES off{1, {}};
    LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &off.Privileges[0].Luid);
    AdjustTokenPrivileges(token, FALSE, &off, 0, nullptr, nullptr);
    CloseHandle(token);
}

BOOLEAN WINAPI refusedSleep(BOOLEAN, BOOLEAN, BOOLEAN) {
    privilegeHeld = shutdownPrivilegeEnabled();
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

DWORD WINAPI grantedShutdown(LPWSTR, LPWSTR, DWORD, DWORD flags, DWORD) {
    privilegeHeld = shutdownPrivilegeEnabled();
    shutdownFlags = flags;
    return ERROR_SUCCESS;
}

TEST_F(FrontEnd, PowerActionsHoldThePrivilegeAndAnswerOnTheWindowsThread) {
    Win32PowerActions power(front.window(), PowerCalls{refusedSleep, grantedShutdown});
    struct Case {
        void (PowerActions::*action)(PowerActions::Done);
        bool succeeds;
    };
    for (const Case& test : {Case{&PowerActions::suspend, false}, Case{&PowerActions::powerOff, true}}) {
        disableShutdownPrivilege();
        ASSERT_FALSE(shutdownPrivilegeEnabled());
        privilegeHeld = false;
        std::optional<Result<void>> answer;
        DWORD answeredOn = 0;
        (power.*test.action)([&](const Result<void>& outcome) {
            answer = outcome;
            answeredOn = GetCurrentThreadId();
        });
        for (int turns = 0; turns < 1000 && !answer; ++turns) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            runMessageLoop();
        }
        ASSERT_TRUE(answer.has_value());
        EXPECT_TRUE(privilegeHeld);
        EXPECT_EQ(answeredOn, GetCurrentThreadId());
        EXPECT_EQ(answer->ok(), test.succeeds);
        if (!test.succeeds) {
            EXPECT_NE(answer->error().find(systemMessage(ERROR_ACCESS_DENIED)), std::string::npos)
                << answer->error();
        }
    }
    EXPECT_EQ(shutdownFlags & SHUTDOWN_POWEROFF, static_cast<DWORD>(SHUTDOWN_POWEROFF));
}

} // namespace
} // namespace quorbin
