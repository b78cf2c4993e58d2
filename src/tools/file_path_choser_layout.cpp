#include "tools/file_path_choser_layout.h"

TRect ChoserInnerRect(const TChoserLayoutInput& in) {
    TRect r = in.Client;
    if (!in.ShowBorder)
        return r;
    r.Top += in.CaptionHeight;
    r = r.Inflate(-1, -1);
    return in.Ctl3D ? r.Inflate(-1, -1) : r;
}

TChoserLayout LayOutChoser(const TChoserLayoutInput& in) {
    TChoserLayout out;
    const TRect r = ChoserInnerRect(in);
    out.Inner = r;
    out.FrameTop = in.CaptionHeight > 0 ? in.CaptionHeight / 2 - 1 : in.Client.Top;

    const int top = in.ShowBorder ? r.Top + 1 : r.Top;
    const int height = in.ShowBorder ? r.Height() - 4 : r.Height();
    const int x = r.Left + 2;
    out.Label = Rect(x, top, x + in.LabelWidth, top + height);
    int editLeft = x;
    if (!in.ShowBorder && in.CaptionHeight > 0)
        editLeft += in.LabelWidth + 4;

    const int openWidth = in.OpenButtonVisible ? ChoserButtonWidth : 0;
    const int chooseLeft =
        r.Right - ChoserButtonWidth - 2 - (in.OpenButtonVisible ? openWidth + 2 : 0);
    out.ChooseButton = Rect(chooseLeft, top, chooseLeft + ChoserButtonWidth, top + height);
    out.Edit = Rect(editLeft, top, chooseLeft - 2, top + height);
    if (in.OpenButtonVisible) {
        const int openLeft = out.ChooseButton.Right + 2;
        out.OpenButton = Rect(openLeft, top, openLeft + openWidth, top + height);
    }
    return out;
}
