#include "vcl/base/component.h"

#include "rtl/exceptions.h"
#include "rtl/published.h"
#include "rtl/strings.h"

#include <algorithm>

namespace {
void Erase(std::vector<TComponent*>& list, TComponent* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
} // namespace

void TComponentDeleter::operator()(TComponent* component) const {
    if (component)
        component->Free();
}

const TClassInfo& TComponent::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TComponent", &TPersistent::StaticClassInfo())
            .String("Name", &TComponent::Name, &TComponent::SetName)
            .Add({"Tag", TPropKind::Integer,
                  [](const TObject& o) { return static_cast<const TComponent&>(o).Tag(); },
                  [](TObject& o, intptr_t v) { static_cast<TComponent&>(o).SetTag(v); }, nullptr,
                  nullptr, nullptr});
    return *info;
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) {
        if (AOwner->FLoadingRoot) {
            FComponentState.Include(csLoading);
            AOwner->FLoading.push_back(this);
        }
        AOwner->InsertComponent(this);
    }
}

TComponent::~TComponent() {
    // Reached without Free (a component on the stack, or one whose constructor threw): the base
    // part of the teardown still runs so that nothing dangles.
    if (!FTornDown) {
        FComponentState.Include(csDestroying);
        Teardown();
    }
}

void TComponent::Free() {
    if (FFreeing || FTornDown)
        return;
    FFreeing = true;
    Destroying();
    BeforeDestruction();
    Teardown();
    delete this;
}

void TComponent::Teardown() {
    FTornDown = true;
    DestroyComponents();
    NotifyFreeNotifies();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying))
        return;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::DestroyComponents() {
    // Last made, first freed; a component that goes while its owner is being destroyed is not
    // announced to its fellows, which are going too.
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        Remove(c);
        c->Free();
    }
}

void TComponent::NotifyFreeNotifies() {
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        Erase(other->FFreeNotifies, this);
        other->Notification(this, opRemove);
    }
}

void TComponent::SetName(const std::string& value) {
    if (value == FName)
        return;
    if (!value.empty() && FOwner) {
        TComponent* same = FOwner->FindComponent(value);
        if (same && same != this)
            throw EComponentError("A component named " + value + " already exists");
    }
    FName = value;
}

int TComponent::ComponentIndex() const {
    if (!FOwner)
        return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    FComponents.push_back(component);
    component->FOwner = this;
}

void TComponent::Remove(TComponent* component) {
    Erase(FComponents, component);
    Erase(FLoading, component);
    component->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    if (std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) ==
        component->FFreeNotifies.end())
        component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component)
        return;
    Erase(FFreeNotifies, component);
    Erase(component->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Fellow components of this owner hear of it too, so references between them are cleared.
    std::vector<TComponent*> components = FComponents;
    for (TComponent* c : components)
        if (c != AComponent)
            c->Notification(AComponent, Operation);
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}

void TComponent::BeginLoading() {
    FLoadingRoot = true;
    FComponentState.Include(csLoading);
}

void TComponent::EndLoading() {
    if (!FLoadingRoot)
        return;
    FLoadingRoot = false;
    Loaded();
    std::vector<TComponent*> loading;
    loading.swap(FLoading);
    for (TComponent* c : loading)
        c->Loaded();
}
