#include "platform/ClassRegistry.h"

#include "platform/TComponent.h"
#include "platform/TPersistent.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TRegistryWidget : public TComponent, public TPersistent {
 public:
  explicit TRegistryWidget(TComponent* AOwner) : TComponent(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TRegistryWidget"); }
};

class TRegistryGadget : public TRegistryWidget {
 public:
  explicit TRegistryGadget(TComponent* AOwner) : TRegistryWidget(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TRegistryGadget"); }
};

using TWidgetClass = TClassOf<TRegistryWidget>;

class ClassRegistryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    UnRegisterClass(ClassInfoOf<TRegistryWidget>());
    UnRegisterClass(ClassInfoOf<TRegistryGadget>());
  }
};

TEST_F(ClassRegistryTest, AReferenceNamesCreatesAndRecognisesExactlyItsClass) {
  const TWidgetClass Gadget = TWidgetClass::Of<TRegistryGadget>();
  EXPECT_EQ(Gadget.ClassName(), QStringLiteral("TRegistryGadget"));
  EXPECT_EQ(Gadget, TWidgetClass::Of<TRegistryGadget>());
  EXPECT_NE(Gadget, TWidgetClass::Of<TRegistryWidget>());
  EXPECT_FALSE(TWidgetClass().Assigned());
  EXPECT_EQ(TWidgetClass().ClassName(), QString());

  TComponent Owner(nullptr);
  TRegistryWidget* Made = Gadget.Create(&Owner);
  EXPECT_EQ(Made->GetOwner(), &Owner);
  EXPECT_EQ(Made->ClassName(), QStringLiteral("TRegistryGadget"));
  EXPECT_TRUE(Gadget.IsClassOf(Made));
  // A gadget is a widget, but not of the widget class itself.
  EXPECT_FALSE(TWidgetClass::Of<TRegistryWidget>().IsClassOf(Made));
  EXPECT_FALSE(Gadget.IsClassOf(nullptr));
}

TEST_F(ClassRegistryTest, RegisteredClassesAreFoundByNameAndByType) {
  EXPECT_EQ(GetClass(QStringLiteral("TRegistryWidget")), nullptr);
  RegisterClass(ClassInfoOf<TRegistryWidget>());
  RegisterClass(ClassInfoOf<TRegistryWidget>());
  EXPECT_EQ(GetClass(QStringLiteral("tregistrywidget")), &ClassInfoOf<TRegistryWidget>());
  EXPECT_EQ(GetClass(typeid(TRegistryWidget)), &ClassInfoOf<TRegistryWidget>());
  EXPECT_EQ(GetClass(typeid(TRegistryGadget)), nullptr);

  UnRegisterClass(ClassInfoOf<TRegistryWidget>());  // one entry, now gone
  EXPECT_EQ(GetClass(QStringLiteral("TRegistryWidget")), nullptr);
  UnRegisterClass(ClassInfoOf<TRegistryWidget>());  // not registered: nothing
}

TEST_F(ClassRegistryTest, ClassOfInstanceGivesTheRegisteredMostDerivedClass) {
  TRegistryGadget Gadget(nullptr);
  const TRegistryWidget& AsWidget = Gadget;
  EXPECT_FALSE(ClassOfInstance(AsWidget).Assigned());
  RegisterClass(ClassInfoOf<TRegistryWidget>());
  EXPECT_FALSE(ClassOfInstance(AsWidget).Assigned());  // its base being registered is no help
  RegisterClass(ClassInfoOf<TRegistryGadget>());
  EXPECT_EQ(ClassOfInstance(AsWidget), TWidgetClass::Of<TRegistryGadget>());
}

}  // namespace
