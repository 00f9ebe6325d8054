// Bound methods and components with owners.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Component.h"
#include "forms/Method.h"
#include "tests/support/WindowTest.h"

using namespace forms;
using testutil::Owned;

namespace {

struct Listener {
    int a = 0, b = 0;
    void OnA(TObject*) { ++a; }
    void OnB(TObject*) { ++b; }
};

TEST(Method, BindsCallsAndComparesByObjectAndFunction) {
    Listener x, y;
    Method<TObject*> empty;
    EXPECT_FALSE(empty);
    empty(nullptr);  // an empty slot does nothing

    auto xa = Bind<&Listener::OnA>(&x);
    auto xb = Bind<&Listener::OnB>(&x);
    auto ya = Bind<&Listener::OnA>(&y);
    xa(nullptr);
    xa(nullptr);
    xb(nullptr);
    EXPECT_EQ(x.a, 2);
    EXPECT_EQ(x.b, 1);
    EXPECT_EQ(y.a, 0);

    EXPECT_EQ(xa, Bind<&Listener::OnA>(&x));
    EXPECT_NE(xa, xb) << "same object, other function";
    EXPECT_NE(xa, ya) << "same function, other object";
    EXPECT_NE(xa, empty);

    // Stored and put back, as the application's error event is.
    Method<TObject*> slot = xa;
    Method<TObject*> saved = slot;
    slot = ya;
    slot = saved;
    EXPECT_EQ(slot, xa);
}

TEST(Method, PassesReferencesThrough) {
    struct KeyHandler {
        void OnKey(TObject*, unsigned short& key) { key = 0; }
    } handler;
    auto m = Bind<&KeyHandler::OnKey>(&handler);
    unsigned short key = 112;
    m(nullptr, key);
    EXPECT_EQ(key, 0);
}

struct Tracked : TComponent {
    Tracked(TComponent* owner, std::vector<std::string>* log, std::string name)
        : TComponent(owner, std::move(name)), log_(log) {}
    ~Tracked() override { log_->push_back(Name()); }
    std::vector<std::string>* log_;
};

TEST(Component, OwnerDestroysItsComponentsLastCreatedFirst) {
    std::vector<std::string> log;
    {
        Owned<Tracked> owner(new Tracked(nullptr, &log, "owner"));
        new Tracked(owner.get(), &log, "first");
        auto* second = new Tracked(owner.get(), &log, "second");
        new Tracked(second, &log, "grandchild");
        EXPECT_EQ(owner->ComponentCount(), 2);
        EXPECT_EQ(owner->Components(1), second);
    }
    // Each destructor logs before its own components go.
    EXPECT_EQ(log, (std::vector<std::string>{"owner", "second", "grandchild", "first"}));
}

TEST(Component, FreeingOneRemovesItFromItsOwner) {
    std::vector<std::string> log;
    Owned<Tracked> owner(new Tracked(nullptr, &log, "owner"));
    auto* child = new Tracked(owner.get(), &log, "child");
    TComponent::Free(child);
    EXPECT_EQ(owner->ComponentCount(), 0);
    EXPECT_EQ(log, std::vector<std::string>{"child"});
}

struct Watcher : TComponent {
    using TComponent::TComponent;
    TComponent* watched = nullptr;
    void Notification(TComponent* c, TOperation op) override {
        if (op == TOperation::opRemove && c == watched) watched = nullptr;
    }
};

TEST(Component, FreeNotificationClearsPointersToTheDestroyed) {
    Watcher watcher(nullptr);
    auto* target = new TComponent(nullptr);
    watcher.watched = target;
    watcher.FreeNotification(target);
    TComponent::Free(target);
    EXPECT_EQ(watcher.watched, nullptr);

    // The other way round: a destroyed watcher is forgotten by its target.
    Owned<TComponent> kept(new TComponent(nullptr));
    {
        Watcher shortLived(nullptr);
        shortLived.watched = kept.get();
        shortLived.FreeNotification(kept.get());
    }
    kept.reset();  // must not reach the destroyed watcher
}

TEST(Component, DesignStateIsInherited) {
    TComponent designer(nullptr);
    designer.SetDesigning(true);
    auto* child = new TComponent(&designer);
    EXPECT_TRUE(child->Designing());
}

}  // namespace
