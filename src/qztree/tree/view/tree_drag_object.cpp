#include "qztree/tree/view/tree_drag_object.h"

#include "qztree/tree/custom_tree.h"
#include "vcl/base/win_api.h"
#include "vcl/core/screen.h"

void RegisterTreeDragCursors() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // The system's OLE library holds the cursors of drag and drop; the standard ones stand in
    // where it has none.
    HMODULE ole = LoadLibraryW(L"OLE32.DLL");
    const struct {
        TCursor Index;
        int Resource;
        const wchar_t* Fallback;
    } cursors[] = {
        {crQZTreeNoDrop, 1, IDC_NO}, {crQZTreeMove, 2, IDC_ARROW}, {crQZTreeCopy, 3, IDC_ARROW}};
    for (const auto& c : cursors) {
        HCURSOR cursor = ole ? LoadCursorW(ole, MAKEINTRESOURCEW(c.Resource)) : nullptr;
        Screen->SetCursors(c.Index, cursor ? cursor : LoadCursorW(nullptr, c.Fallback));
    }
}

TCursor TQZTreeDragObject::GetDragCursor(bool Accepted, int X, int Y) {
    if (!dynamic_cast<TCustomQZTree*>(Control()))
        return TDragControlObject::GetDragCursor(Accepted, X, Y);
    if (!Accepted)
        return crQZTreeNoDrop;
    return GetKeyState(VK_CONTROL) < 0 ? crQZTreeCopy : crQZTreeMove;
}

void TQZTreeDragObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
    TDragControlObject::Finished(Target, X, Y, Accepted);
    // Made by the tree for this one drag, which nobody else frees.
    delete this;
}
