#pragma once
#include "qvr/stored_object.h"
#include "rtl/date_time.h"

#include <string>

// One object that a business-logic library allocated and did not free.
class TBLLLeakObjectInfo : public TStoredObject {
public:
    std::string GetAsString() const override;
    void ReadFromString(std::string_view s, int& pos) override;
    void ReadPooled(std::string_view s, int& pos, TTextPool& pool) override;

    TSharedText CName;      // class name of the object
    TSharedText Stack;      // allocation call stack
    TDateTime LiveTime = 0; // a duration
    std::string AddInfo;

private:
    template <class Self, class Visit> static void VisitFields(Self& r, Visit&& visit) {
        visit(r.CName);
        visit(r.Stack);
        visit(r.LiveTime);
        visit(r.AddInfo);
    }
};
