#pragma once
#include "vcl/base/persistent.h"
#include "vcl/base/set.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rtl/exceptions.h"

enum TOperation { opInsert, opRemove };

class EComponentError : public Exception {
    using Exception::Exception;
};

enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateFlag>;

class TComponent;

// Ends a component through Free, so its teardown runs while it is still whole.
struct TComponentDeleter {
    void operator()(TComponent* component) const;
};
template <class T> using TOwnedPtr = std::unique_ptr<T, TComponentDeleter>;

// A named part of a program that may own other components and frees them with itself.
//
// A component ends in two phases. Free() first marks it (and everything it owns) destroying and
// calls BeforeDestruction(), where heirs tear down while virtual calls still reach them; then
// the owned components are freed, those that asked are told, and only then do the C++
// destructors run. Owners free what they own through Free, and TOwnedPtr does the same.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void Free();
    // Called once the most derived constructor is done (CreateComponent, CreateForm); a form ends
    // its loading here.
    virtual void AfterConstruction() {}

    std::string Name() const { return FName; }
    virtual void SetName(const std::string& value);
    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t value) { FTag = value; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(size_t(index)); }
    int ComponentIndex() const;
    // An owned component by name, without regard to letter case; null when there is none.
    TComponent* FindComponent(const std::string& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    TComponentState ComponentState() const { return FComponentState; }

    // Asks to be told (Notification with opRemove) when the component goes, whoever owns it.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

protected:
    // Points Field at Value and moves the free notification from the old component to the new
    // one; false when Field held Value already.
    template <class T> bool ReferTo(T*& Field, T* Value) {
        if (Field == Value)
            return false;
        if (Field)
            Field->RemoveFreeNotification(this);
        Field = Value;
        if (Value)
            Value->FreeNotification(this);
        return true;
    }
    // Told when a component is inserted into or removed from this one or a fellow component of
    // the same owner, and when a component this one asked about is freed. Heirs clear their
    // references here.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Ends the loading of the component: its properties are all set.
    virtual void Loaded();
    virtual void BeforeDestruction() {}
    void SetComponentState(TComponentStateFlag flag, bool on) { FComponentState.Set(flag, on); }
    // Marks the component and all it owns as being destroyed.
    virtual void Destroying();

    // The loading bracket of a component built in code (a form): components made with it as
    // owner until EndLoading are loading too; EndLoading calls Loaded on it and then on each of
    // them in the order they were made.
    void BeginLoading();
    void EndLoading();

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyFreeNotifies();
    void Teardown();

    std::string FName;
    intptr_t FTag = 0;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::vector<TComponent*> FLoading;
    bool FLoadingRoot = false;
    TComponentState FComponentState;
    bool FFreeing = false;
    bool FTornDown = false;
};

// Makes a component and completes its construction; the owner frees it, or the caller does
// through Free (TOwnedPtr) when there is no owner.
template <class T, class... Args> T* CreateComponent(TComponent* AOwner, Args&&... args) {
    T* component = new T(AOwner, std::forward<Args>(args)...);
    component->AfterConstruction();
    return component;
}

template <class T, class... Args> TOwnedPtr<T> MakeOwned(Args&&... args) {
    return TOwnedPtr<T>(CreateComponent<T>(nullptr, std::forward<Args>(args)...));
}
