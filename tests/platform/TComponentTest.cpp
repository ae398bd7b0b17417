#include "platform/TComponent.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records destruction and the removal notices it receives.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::vector<std::string>* log, std::string name)
      : TComponent(owner), FLog(log) {
    SetName(std::move(name));
  }
  ~Probe() override { FLog->push_back("free " + GetName()); }
  TComponent* Watched = nullptr;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == TOperation::opRemove && c == Watched) {
      FLog->push_back(GetName() + " lost " + c->GetName());
      Watched = nullptr;
    }
  }

 private:
  std::vector<std::string>* FLog;
};

class TComponentTest : public ::testing::Test {
 protected:
  std::vector<std::string> log;
};

TEST_F(TComponentTest, OwnerFreesOwnedComponentsOnce) {
  auto* owner = new Probe(nullptr, &log, "owner");
  auto* a = new Probe(owner, &log, "a");
  new Probe(a, &log, "a.child");
  new Probe(owner, &log, "b");
  EXPECT_EQ(owner->GetComponentCount(), 2);
  EXPECT_EQ(owner->FindComponent("a"), a);
  EXPECT_EQ(owner->FindComponent("missing"), nullptr);
  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"free owner", "free b", "free a", "free a.child"}));
}

TEST_F(TComponentTest, FreeingAnOwnedComponentFirstDetachesIt) {
  auto* owner = new Probe(nullptr, &log, "owner");
  auto* a = new Probe(owner, &log, "a");
  delete a;
  EXPECT_EQ(owner->GetComponentCount(), 0);
  delete owner;  // must not free a again
  EXPECT_EQ(log, (std::vector<std::string>{"free a", "free owner"}));
}

TEST_F(TComponentTest, FreeNotificationClearsPointersInEitherOrder) {
  Probe watcher(nullptr, &log, "watcher");
  {
    Probe target(nullptr, &log, "target");
    watcher.Watched = &target;
    target.FreeNotification(&watcher);
  }
  EXPECT_EQ(watcher.Watched, nullptr);
  EXPECT_EQ(log.front(), "free target");
  EXPECT_EQ(log.back(), "watcher lost target");

  // Freeing the watcher first must leave the target with no dangling entry.
  auto* target = new Probe(nullptr, &log, "target2");
  {
    Probe early(nullptr, &log, "early");
    early.Watched = target;
    target->FreeNotification(&early);
  }
  delete target;  // would touch freed memory under the sanitizer if not detached
}

TEST_F(TComponentTest, InsertingIntoAnotherOwnerMovesTheComponent) {
  Probe first(nullptr, &log, "first");
  Probe second(nullptr, &log, "second");
  auto* c = new Probe(&first, &log, "c");
  second.InsertComponent(c);
  EXPECT_EQ(first.GetComponentCount(), 0);
  EXPECT_EQ(second.GetComponentCount(), 1);
  EXPECT_EQ(c->GetOwner(), &second);
}

}  // namespace
