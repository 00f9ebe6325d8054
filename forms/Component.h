#pragma once
// Components with owners. A component is created with its owner, which
// destroys it (last created first) when it is destroyed itself. Components
// may ask to hear of another one's destruction, so that no pointer to a
// destroyed component is ever used.

#include <string>
#include <vector>

#include "forms/Method.h"

namespace forms {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

// The event of most controls and components: who raised it.
using TNotifyEvent = Method<TObject*>;

// What Notification reports of another component: its destruction.
enum class TOperation { opRemove };

class TComponent : public TObject {
public:
    // The name comes from the component's line of its form's definition.
    explicit TComponent(TComponent* owner, std::string name = {});
    ~TComponent() override;

    // Destroys a component: it is told first, while it is still whole, so a
    // windowed control can destroy its window before its class is taken apart.
    static void Free(TComponent* component);

    TComponent* Owner() const noexcept { return owner_; }
    const std::string& Name() const noexcept { return name_; }

    int ComponentCount() const noexcept { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }

    // Design state: a component owned by one being edited in a form designer.
    bool Designing() const noexcept { return designing_; }
    void SetDesigning(bool value);
    bool Destroying() const noexcept { return destroying_; }

    // Asks to be told (Notification with opRemove) when other is destroyed.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    // Runs before the destructors, while the object is still whole.
    virtual void BeforeDestruction();

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    bool designing_ = false;
    bool destroying_ = false;
};

}  // namespace forms
