#pragma once
#include "vcl/base/geometry.h"

// Where the parts of a path chooser stand; painting and laying out both read it.
struct TChoserLayoutInput {
    TRect Client;           // the control's client rectangle
    bool ShowBorder = true; // a captioned frame around the parts
    bool Ctl3D = true;
    int CaptionHeight = 0; // of the caption in the control's font; 0 without a caption
    int LabelWidth = 0;    // of the caption label, used without the frame
    bool OpenButtonVisible = false;
};

struct TChoserLayout {
    TRect Inner; // the client rectangle as the frame leaves it
    int FrameTop = 0;
    TRect Label;
    TRect Edit;
    TRect ChooseButton;
    TRect OpenButton; // empty when hidden
};

constexpr int ChoserButtonWidth = 35;

TRect ChoserInnerRect(const TChoserLayoutInput& in);
TChoserLayout LayOutChoser(const TChoserLayoutInput& in);
