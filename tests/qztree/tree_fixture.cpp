#include "tree_fixture.h"

#include "rtl/exceptions.h"

TestTree::TestTree() : TCustomQZTree(nullptr, std::make_unique<CountingView>()) {}

void TestTree::DoItemExpand(TQZTreeItem* Item) {
    if (ThrowOnExpand)
        throw Exception("expand handler failed");
    Events.push_back("expand " + Item->Text());
}

void TestTree::TriggerSortBegin() {
    if (ThrowOnSort)
        throw Exception("sort handler failed");
}

std::string TestTree::Order() const {
    std::string text;
    for (int i = 0; i < Items()->Count(); ++i)
        text += (i ? " " : "") + Items()->Item(i)->Text();
    return text;
}

std::string TestTree::Rows() const {
    std::string text;
    for (int i = 0; i < GetTotalVisCount(); ++i)
        text += (i ? " " : "") + Items()->ItemAsVis(i)->Text();
    return text;
}

std::string ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "no error";
}
