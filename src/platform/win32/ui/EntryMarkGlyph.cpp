#include "platform/win32/ui/EntryMarkGlyph.h"

#include <vector>

namespace quorbin {

namespace {

// A point of a 12 x 12 grid laid over the box.
struct GridPoint {
    int x, y;
};

COLORREF colourOf(EntryMark mark) {
    switch (mark) {
    case EntryMark::running:
        return RGB(0, 99, 177);
    case EntryMark::finished:
        return RGB(16, 124, 16);
    case EntryMark::failed:
    case EntryMark::notStarted:
        return RGB(196, 43, 28);
    case EntryMark::stalled:
        return RGB(176, 106, 0);
    case EntryMark::outputOfOther:
        return RGB(112, 48, 160);
    case EntryMark::interrupted:
    case EntryMark::none:
        break;
    }
    return RGB(96, 96, 96);
}

class Grid {
public:
    Grid(HDC dc, const RECT& box) : dc_(dc), box_(box) {}

    POINT at(GridPoint p) const {
        const int size = box_.right - box_.left;
        return POINT{box_.left + MulDiv(p.x, size, 12), box_.top + MulDiv(p.y, size, 12)};
    }
    void lines(std::initializer_list<GridPoint> points) const {
        const std::vector<POINT> pixels = toPixels(points);
        Polyline(dc_, pixels.data(), static_cast<int>(pixels.size()));
    }
    void shape(std::initializer_list<GridPoint> points) const {
        const std::vector<POINT> pixels = toPixels(points);
        Polygon(dc_, pixels.data(), static_cast<int>(pixels.size()));
    }
    void circle(GridPoint from, GridPoint to) const {
        const POINT a = at(from);
        const POINT b = at(to);
        Ellipse(dc_, a.x, a.y, b.x, b.y);
    }

private:
    std::vector<POINT> toPixels(std::initializer_list<GridPoint> points) const {
        std::vector<POINT> pixels;
        pixels.reserve(points.size());
        for (GridPoint p : points)
            pixels.push_back(at(p));
        return pixels;
    }

    HDC dc_;
    RECT box_;
};

void drawShape(const Grid& grid, EntryMark mark, HDC dc) {
    switch (mark) {
    case EntryMark::running:
        grid.shape({{3, 1}, {11, 6}, {3, 11}});
        break;
    case EntryMark::finished:
        grid.lines({{1, 6}, {4, 9}, {11, 2}});
        break;
    case EntryMark::failed:
        grid.lines({{2, 2}, {10, 10}});
        grid.lines({{10, 2}, {2, 10}});
        break;
    case EntryMark::stalled:
        grid.shape({{2, 1}, {10, 1}, {6, 6}, {10, 11}, {2, 11}, {6, 6}});
        break;
    case EntryMark::notStarted:
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        grid.circle({1, 1}, {11, 11});
        grid.lines({{3, 3}, {9, 9}});
        break;
    case EntryMark::interrupted:
        grid.shape({{2, 2}, {10, 2}, {10, 10}, {2, 10}});
        break;
    case EntryMark::outputOfOther:
        grid.lines({{3, 11}, {3, 1}, {8, 1}, {10, 3}, {10, 5}, {8, 7}, {3, 7}});
        break;
    case EntryMark::none:
        break;
    }
}

} // namespace

void drawEntryMark(HDC dc, const RECT& box, EntryMark mark, UINT dpi, bool plain) {
    if (mark == EntryMark::none)
        return;
    const COLORREF colour = plain ? GetSysColor(COLOR_WINDOWTEXT) : colourOf(mark);
    HPEN pen = CreatePen(PS_SOLID, MulDiv(2, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI), colour);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    drawShape(Grid(dc, box), mark, dc);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

} // namespace quorbin
