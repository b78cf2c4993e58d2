#pragma once
#include "vcl/base/geometry.h"

// The parts of the scroll bar. "Left" is left in a horizontal bar and top in a vertical one.
enum TQZScrollBarPart {
    sbpNowhere,
    sbpLeftArrow,
    sbpRightSndArrow,
    sbpRightArrow,
    sbpLeftSndArrow,
    sbpThumb,
    sbpLeftTop,
    sbpRightBottom
};

enum TQZScrollThumbMode { etmFixed, etmAuto };

// What the bar's geometry depends on, taken from the bar when asked.
struct TScrollBarModel {
    bool Horizontal = true;
    int Length = 0; // client length along the bar
    int Across = 0; // client extent across it
    bool ShowLeftArrows = true;
    bool ShowRightArrows = true;
    bool SecondaryButtons = false;
    int ButtonSize = 0; // wanted button length (system metric or the stored one)
    int Min = 0;
    int Max = 100;
    int Page = 14;
    int Position = 0;
    TQZScrollThumbMode ThumbMode = etmAuto;
    int FixedThumbSize = 0;
    int MinThumbSize = 4;
    int SystemThumbSize = 0;

    int Range() const { return Max - Min + 1; }
    int LeftButtons() const { return ShowLeftArrows ? (SecondaryButtons ? 2 : 1) : 0; }
    int RightButtons() const { return ShowRightArrows ? (SecondaryButtons ? 2 : 1) : 0; }
    int Buttons() const { return LeftButtons() + RightButtons(); }
};

// Buttons shrink to share a bar too short for them.
int ScrollButtonLength(const TScrollBarModel& m);
int AutoThumbLength(const TScrollBarModel& m);
int ThumbLength(const TScrollBarModel& m);
// Pixel offset of the thumb's leading edge for the model's position.
int ThumbPosition(const TScrollBarModel& m);
// The position a thumb at ThumbPos stands for, inside Min..Max.
int PositionAtThumb(const TScrollBarModel& m, int ThumbPos);
// The thumb's leading edge kept inside the track.
int ClampThumbPosition(const TScrollBarModel& m, int ThumbPos);
// The part under a point of the client area (c along the bar, d across it).
TQZScrollBarPart HitTestScrollBar(const TScrollBarModel& m, int ThumbPos, int c, int d);

// Where each part is painted, along the bar; the thumb is empty when there is none.
struct TScrollBarLayout {
    int Button = 0;
    int ThumbSize = 0;
    TRect LeftArrow, RightArrow, LeftSndArrow, RightSndArrow;
    TRect LeftTop, Thumb, RightBottom;
    TRect Track; // the whole track, drawn as one piece when there is no thumb
    // The client area without the buttons: what a change of position repaints.
    TRect ScrollingRegion;
};
TScrollBarLayout LayoutScrollBar(const TScrollBarModel& m, int ThumbPos, const TRect& Client);

// Enabled looks of the arrow buttons (the ends reached or not).
bool LeftButtonsEnabled(const TScrollBarModel& m);
bool RightButtonsEnabled(const TScrollBarModel& m, bool AltDisablingArrows);

// Lines a turn of the wheel scrolls (WheelDelta in 120ths of a notch), from the system's lines
// per notch; the "one page at a time" setting gives Page lines a notch.
int WheelSteps(int WheelDelta, unsigned Lines, int Page);
