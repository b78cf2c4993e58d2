#include "qztree/scroll_bar/scroll_bar_geometry.h"

#include "qztree/base/draw.h"

#include <algorithm>

int ScrollButtonLength(const TScrollBarModel& m) {
    int n = m.Buttons();
    if (n == 0 || n * m.ButtonSize <= m.Length)
        return m.ButtonSize;
    return m.Length / n;
}

int AutoThumbLength(const TScrollBarModel& m) {
    int track = m.Length - m.Buttons() * ScrollButtonLength(m);
    if (track < 0)
        track = 0;
    int size;
    if (m.Page == 0)
        size = m.Max >= m.Min + 1 ? m.SystemThumbSize : track;
    else if (m.Max >= m.Min + 1 && m.Max - m.Min >= m.Page)
        size = QZMulDiv(std::min(m.Page, m.Range()), track, m.Range());
    else
        size = track;
    if (size < m.MinThumbSize)
        size = m.MinThumbSize;
    return size > track ? 0 : size;
}

int ThumbLength(const TScrollBarModel& m) {
    return m.ThumbMode == etmAuto ? AutoThumbLength(m) : m.FixedThumbSize;
}

int ThumbPosition(const TScrollBarModel& m) {
    int b = ScrollButtonLength(m);
    int ts = ThumbLength(m);
    int n = m.Buttons();
    if (n * b + ts < m.Length && m.Max >= m.Min) {
        int free = m.Length - n * b - ts;
        int steps = m.Range() - std::min(m.Page, m.Range());
        int at = std::min(m.Max + 1 - m.Page, m.Position) - m.Min;
        return b * m.LeftButtons() + std::max(0, QZMulDiv(free, at, steps));
    }
    return b * m.LeftButtons();
}

int PositionAtThumb(const TScrollBarModel& m, int ThumbPos) {
    int b = ScrollButtonLength(m);
    int free = m.Length - m.Buttons() * b - ThumbLength(m);
    // Without room to move the thumb stands for the start of the range.
    if (free <= 0)
        return m.Min;
    int steps = m.Range() - std::min(m.Page, m.Range());
    int pos = m.Min + QZMulDiv(ThumbPos - b * m.LeftButtons(), steps, free);
    return std::clamp(pos, m.Min, std::max(m.Min, m.Max));
}

int ClampThumbPosition(const TScrollBarModel& m, int ThumbPos) {
    int b = ScrollButtonLength(m);
    int low = b * m.LeftButtons();
    int high = m.Length - b * m.RightButtons() - ThumbLength(m);
    if (ThumbPos < low)
        return low;
    if (ThumbPos > high)
        return high;
    return ThumbPos;
}

TQZScrollBarPart HitTestScrollBar(const TScrollBarModel& m, int ThumbPos, int c, int d) {
    if (d < 0 || d > m.Across)
        return sbpNowhere;
    int b = ScrollButtonLength(m);
    int l = m.Length;
    if (m.ShowLeftArrows && c >= 0 && c <= b)
        return sbpLeftArrow;
    if (m.ShowRightArrows && l - c < b)
        return sbpRightArrow;
    if (m.SecondaryButtons) {
        if (m.ShowLeftArrows && c >= b && c <= 2 * b)
            return sbpLeftSndArrow;
        if (m.ShowRightArrows && c >= l - 2 * b && c <= l - b)
            return sbpRightSndArrow;
    }
    if (ThumbPos == -1)
        return sbpNowhere;
    if (c < ThumbPos)
        return sbpLeftTop;
    if (c < ThumbPos + ThumbLength(m))
        return sbpThumb;
    return sbpRightBottom;
}

namespace {

// A span along the bar as a rectangle of the client area.
TRect Span(const TScrollBarModel& m, const TRect& client, int from, int to) {
    return m.Horizontal ? Rect(from, client.Top, to, client.Bottom)
                        : Rect(client.Left, from, client.Right, to);
}

} // namespace

TScrollBarLayout LayoutScrollBar(const TScrollBarModel& m, int ThumbPos, const TRect& Client) {
    TScrollBarLayout r;
    r.Button = ScrollButtonLength(m);
    r.ThumbSize = ThumbLength(m);
    int b = r.Button;
    int first = 0, last = m.Length;
    if (m.ShowLeftArrows) {
        r.LeftArrow = Span(m, Client, first, first + b);
        first += b;
    }
    if (m.ShowRightArrows) {
        r.RightArrow = Span(m, Client, last - b, last);
        last -= b;
    }
    if (m.SecondaryButtons && m.ShowLeftArrows) {
        r.LeftSndArrow = Span(m, Client, first, first + b);
        first += b;
    }
    if (m.SecondaryButtons && m.ShowRightArrows) {
        r.RightSndArrow = Span(m, Client, last - b, last);
        last -= b;
    }
    r.Track = Span(m, Client, first, last);
    r.ScrollingRegion = Span(m, Client, b * m.LeftButtons(), m.Length - b * m.RightButtons());
    if (r.ThumbSize > 0) {
        r.LeftTop = Span(m, Client, first, ThumbPos);
        r.Thumb = Span(m, Client, ThumbPos, ThumbPos + r.ThumbSize);
        r.RightBottom = Span(m, Client, ThumbPos + r.ThumbSize, m.Length - b * m.RightButtons());
    }
    return r;
}

bool LeftButtonsEnabled(const TScrollBarModel& m) {
    if (m.Position <= m.Min)
        return false;
    return m.Max - m.Min >= m.Page;
}

bool RightButtonsEnabled(const TScrollBarModel& m, bool AltDisablingArrows) {
    if (AltDisablingArrows ? m.Position >= m.Max - m.Page + 1 : m.Position >= m.Max)
        return false;
    return m.Max - m.Min >= m.Page;
}
