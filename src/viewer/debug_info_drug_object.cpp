#include "viewer/debug_info_drug_object.h"

TDebugInfoDrugObject::TDebugInfoDrugObject() : Params(std::make_unique<TStringList>()) {}

TDebugInfoDrugObject::~TDebugInfoDrugObject() = default;

void TDebugInfoDrugObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
    TDragObject::Finished(Target, X, Y, Accepted);
    delete this;
}
