#include "platform/TPersistent.h"

#include "platform/Exception.h"
#include "platform/TBrush.h"
#include "platform/TPen.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

enum TSampleKind { skNone, skSome, skAll };

// A small persistent class publishing one property of every kind.
class TSample : public TPersistent {
 public:
  void Assign(const TPersistent& Source) override {
    const TSample* S = dynamic_cast<const TSample*>(&Source);
    if (S == nullptr) {
      TPersistent::Assign(Source);
      return;
    }
    FColor = S->FColor;
    FCount = S->FCount;
    FShown = S->FShown;
    FRatio = S->FRatio;
    FTitle = S->FTitle;
    FKind = S->FKind;
    FPen.Assign(S->FPen);
    Changed();
  }
  QString ClassName() const override { return QStringLiteral("TSample"); }
  const TPropertyList& Properties() const override {
    namespace PP = PublishedProperty;
    static const TPropertyList List{
        PP::Color<TSample>(QStringLiteral("Color"), &TSample::GetColor, &TSample::SetColor,
                           clWhite),
        PP::Integer<TSample>(QStringLiteral("Count"), &TSample::GetCount, &TSample::SetCount, 3),
        PP::Boolean<TSample>(QStringLiteral("Shown"), &TSample::GetShown, &TSample::SetShown, true),
        PP::Double<TSample>(QStringLiteral("Ratio"), &TSample::GetRatio, &TSample::SetRatio),
        PP::String<TSample>(QStringLiteral("Title"), &TSample::GetTitle, &TSample::SetTitle,
                            QString()),
        PP::Enum<TSample, TSampleKind>(QStringLiteral("Kind"), &TSample::GetKind, &TSample::SetKind,
                                       {"skNone", "skSome", "skAll"}, skSome),
        PP::Integer<TSample>(QStringLiteral("Area"), &TSample::GetArea, nullptr),
        PP::Object<TSample, TPen>(QStringLiteral("Pen"), &TSample::GetPen),
    };
    return List;
  }

  TColor GetColor() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  int GetCount() const { return FCount; }
  void SetCount(int V) { FCount = V; }
  bool GetShown() const { return FShown; }
  void SetShown(bool V) { FShown = V; }
  double GetRatio() const { return FRatio; }
  void SetRatio(double V) { FRatio = V; }
  QString GetTitle() const { return FTitle; }
  void SetTitle(const QString& V) { FTitle = V; }
  TSampleKind GetKind() const { return FKind; }
  void SetKind(TSampleKind V) { FKind = V; }
  int GetArea() const { return FCount * 10; }
  TPen* GetPen() { return &FPen; }

 private:
  TColor FColor = clWhite;
  int FCount = 3;
  bool FShown = true;
  double FRatio = 0.5;
  QString FTitle;
  TSampleKind FKind = skSome;
  TPen FPen;
};

// Derived class that redeclares a default and adds a property.
class TDerivedSample : public TSample {
 public:
  QString ClassName() const override { return QStringLiteral("TDerivedSample"); }
  const TPropertyList& Properties() const override {
    namespace PP = PublishedProperty;
    static const TPropertyList List{
        TSample::Properties(),
        {PP::Color<TSample>(QStringLiteral("Color"), &TSample::GetColor, &TSample::SetColor, clRed),
         PP::Integer<TDerivedSample>(QStringLiteral("Extra"), &TDerivedSample::GetExtra,
                                     &TDerivedSample::SetExtra, 0)}};
    return List;
  }
  int GetExtra() const { return FExtra; }
  void SetExtra(int V) { FExtra = V; }

 private:
  int FExtra = 0;
};

class TPersistentTest : public ::testing::Test {};

TEST_F(TPersistentTest, AssignFromAnUnrelatedClassRaisesTheConversionError) {
  TSample Sample;
  TBrush Brush;
  try {
    Sample.Assign(Brush);
    FAIL() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Cannot assign a TBrush to a TSample"));
  }
  TPen Pen;
  EXPECT_THROW(Pen.Assign(Brush), EConvertError);
}

TEST_F(TPersistentTest, AssignCopiesAndNotifiesTheReceiver) {
  TSample A;
  TSample B;
  int Calls = 0;
  TPersistent* Sender = nullptr;
  B.OnChange = [&](TPersistent* S) {
    ++Calls;
    Sender = S;
  };
  A.SetColor(clRed);
  A.SetTitle(QStringLiteral("Run 3"));
  A.GetPen()->SetWidth(4);
  B.Assign(A);
  EXPECT_EQ(B.GetColor(), clRed);
  EXPECT_EQ(B.GetTitle(), QStringLiteral("Run 3"));
  EXPECT_EQ(B.GetPen()->GetWidth(), 4);
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Sender, &B);
}

TEST_F(TPersistentTest, PropertiesAreReadAndWrittenByNameOfAnyCase) {
  TSample S;
  EXPECT_TRUE(SetColorProperty(S, QStringLiteral("color"), clBlue));
  TColor C = clBlack;
  EXPECT_TRUE(GetColorProperty(S, QStringLiteral("COLOR"), C));
  EXPECT_EQ(C, clBlue);

  EXPECT_TRUE(SetPropertyValue(S, QStringLiteral("Count"), 7));
  EXPECT_TRUE(SetPropertyValue(S, QStringLiteral("Shown"), false));
  EXPECT_TRUE(SetPropertyValue(S, QStringLiteral("Ratio"), 2.25));
  EXPECT_TRUE(SetPropertyValue(S, QStringLiteral("Title"), QStringLiteral("g(s*)")));
  EXPECT_TRUE(SetPropertyValue(S, QStringLiteral("Kind"), 2));
  EXPECT_EQ(S.GetCount(), 7);
  EXPECT_FALSE(S.GetShown());
  EXPECT_EQ(S.GetRatio(), 2.25);
  EXPECT_EQ(S.GetTitle(), QStringLiteral("g(s*)"));
  EXPECT_EQ(S.GetKind(), skAll);

  TPropertyValue V;
  EXPECT_TRUE(GetPropertyValue(S, QStringLiteral("Area"), V));
  EXPECT_EQ(std::get<int>(V), 70);
  EXPECT_TRUE(GetPropertyValue(S, QStringLiteral("Pen"), V));
  EXPECT_EQ(std::get<TPersistent*>(V), S.GetPen());
  EXPECT_EQ(S.Properties().Find(QStringLiteral("Kind"))->EnumNames.at(2), QStringLiteral("skAll"));
}

TEST_F(TPersistentTest, StreamsStoreIntegersIntoColoursButRejectWrongKinds) {
  TSample S;
  // A colour read from a stream as a (signed) integer.
  EXPECT_TRUE(SetPropertyValue(S, QStringLiteral("Color"), -16777201));
  EXPECT_EQ(S.GetColor(), clBtnFace);
  EXPECT_FALSE(SetPropertyValue(S, QStringLiteral("Title"), 5));
  EXPECT_FALSE(SetPropertyValue(S, QStringLiteral("Shown"), QStringLiteral("yes")));
  EXPECT_FALSE(SetPropertyValue(S, QStringLiteral("Area"), 5)) << "read-only";
  EXPECT_FALSE(SetPropertyValue(S, QStringLiteral("Missing"), 5));
  EXPECT_FALSE(SetColorProperty(S, QStringLiteral("Count"), clRed));
  TColor C = clBlack;
  EXPECT_FALSE(GetColorProperty(S, QStringLiteral("Title"), C));
}

TEST_F(TPersistentTest, DefaultsDecideWhatIsStored) {
  TSample S;
  const TPropertyList& P = S.Properties();
  EXPECT_FALSE(P.Find(QStringLiteral("Color"))->IsStored(S));
  EXPECT_FALSE(P.Find(QStringLiteral("Kind"))->IsStored(S));
  EXPECT_TRUE(P.Find(QStringLiteral("Ratio"))->IsStored(S)) << "no default: always stored";
  S.SetColor(clRed);
  S.SetKind(skNone);
  EXPECT_TRUE(P.Find(QStringLiteral("Color"))->IsStored(S));
  EXPECT_TRUE(P.Find(QStringLiteral("Kind"))->IsStored(S));
}

TEST_F(TPersistentTest, DerivedTablesInheritAndMayRedeclareDefaults) {
  TDerivedSample D;
  const TPropertyList& P = D.Properties();
  EXPECT_EQ(P.Count(), TSample().Properties().Count() + 1);
  EXPECT_TRUE(P.Find(QStringLiteral("Color"))->IsStored(D)) << "white is not the new default";
  D.SetColor(clRed);
  EXPECT_FALSE(P.Find(QStringLiteral("Color"))->IsStored(D));
  EXPECT_TRUE(SetPropertyValue(D, QStringLiteral("Extra"), 9));
  EXPECT_EQ(D.GetExtra(), 9);
  // An entry of the derived table used on a base object is a class error.
  TSample Base;
  EXPECT_THROW(P.Find(QStringLiteral("Extra"))->Get(Base), EConvertError);
}

}  // namespace
