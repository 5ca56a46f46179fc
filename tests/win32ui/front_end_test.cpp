#include "helpers/DesignedWindow.h"
#include "platform/win32/WideText.h"
#include "platform/win32/ui/Win32FrontEnd.h"
#include "platform/win32/ui/WindowText.h"

#include <gtest/gtest.h>

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
