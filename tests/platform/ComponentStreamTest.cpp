// The binary component stream: TWriter and TReader over published tables.
#include "platform/ClassRegistry.h"
#include "platform/Cursors.h"
#include "platform/TComponent.h"
#include "platform/TPen.h"
#include "platform/TPersistent.h"
#include "platform/TReader.h"
#include "platform/TStream.h"
#include "platform/TWriter.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <memory>

namespace {

enum TSampleKind { skNone, skSome, skAll };

class TSampleItem : public TPersistent {
 public:
  QString ClassName() const override { return QStringLiteral("TSampleItem"); }
  const TPropertyList& Properties() const override {
    namespace PP = PublishedProperty;
    static const TPropertyList List{
        PP::Integer<TSampleItem>(QStringLiteral("Size"), &TSampleItem::GetSize,
                                 &TSampleItem::SetSize, 0),
    };
    return List;
  }
  int GetSize() const { return FSize; }
  void SetSize(int V) { FSize = V; }

 private:
  int FSize = 0;
};

// A component publishing one property of every kind, with children that
// are written under it.
class TSampleComponent : public TComponent, public TPersistent {
 public:
  explicit TSampleComponent(TComponent* AOwner) : TComponent(AOwner) {}
  ~TSampleComponent() override {
    for (TSampleComponent* Child : FChildren) Child->FParent = nullptr;
    if (FParent != nullptr) std::erase(FParent->FChildren, this);
  }

  QString ClassName() const override { return QStringLiteral("TSampleComponent"); }
  const TPropertyList& Properties() const override {
    namespace PP = PublishedProperty;
    using C = TSampleComponent;
    static const TPropertyList List{
        PP::Integer<C>(QStringLiteral("Count"), &C::GetCount, &C::SetCount, 3),
        PP::Int64<C>(QStringLiteral("Big"), &C::GetBig, &C::SetBig, 0),
        PP::Color<C>(QStringLiteral("Color"), &C::GetColor, &C::SetColor, clWhite),
        PP::Cursor<C>(QStringLiteral("Cursor"), &C::GetCursor, &C::SetCursor, crDefault),
        PP::Boolean<C>(QStringLiteral("Shown"), &C::GetShown, &C::SetShown, true),
        PP::Double<C>(QStringLiteral("Ratio"), &C::GetRatio, &C::SetRatio, 0.0),
        PP::String<C>(QStringLiteral("Title"), &C::GetTitle, &C::SetTitle, QString()),
        PP::Enum<C, TSampleKind>(QStringLiteral("Kind"), &C::GetKind, &C::SetKind,
                                 {"skNone", "skSome", "skAll"}, skSome),
        PP::Set<C, int>(QStringLiteral("Flags"), &C::GetFlags, &C::SetFlags, {"sfA", "sfB", "sfC"},
                        0),
        PP::Object<C, TPen>(QStringLiteral("Pen"), &C::GetPen),
        PP::Strings<C>(QStringLiteral("Lines"), &C::GetLines, &C::SetLines),
        PP::StringArray<C>(QStringLiteral("Names"), &C::GetNames, &C::SetNames),
        PP::Component<C>(QStringLiteral("Buddy"), &C::GetBuddy, &C::SetBuddy),
        PP::Collection(
            QStringLiteral("Items"),
            {[](const TPersistent& I) { return static_cast<int>(As(I).FItems.size()); },
             [](const TPersistent& I, int N) -> TPersistent* {
               return As(I).FItems.at(static_cast<size_t>(N)).get();
             },
             [](TPersistent& I) -> TPersistent* {
               auto& Items = const_cast<TSampleComponent&>(As(I)).FItems;
               return Items.emplace_back(std::make_unique<TSampleItem>()).get();
             },
             [](TPersistent& I) { const_cast<TSampleComponent&>(As(I)).FItems.clear(); }}),
        [] {
          TPublishedProperty Data;
          Data.Name = QStringLiteral("Data");
          Data.Kind = TPropertyKind::pkBinary;
          Data.Get = [](const TPersistent& I) { return TPropertyValue(As(I).FData); };
          Data.Set = [](TPersistent& I, const TPropertyValue& V) {
            const_cast<TSampleComponent&>(As(I)).FData = std::get<QByteArray>(V);
          };
          Data.Stored = [](const TPersistent& I) { return !As(I).FData.isEmpty(); };
          return Data;
        }(),
    };
    return List;
  }

  void GetChildren(const TGetChildProc& Proc, TComponent*) const override {
    for (TSampleComponent* Child : FChildren) Proc(Child);
  }
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(TComponent* Value) override {
    FParent = dynamic_cast<TSampleComponent*>(Value);
    if (FParent != nullptr) FParent->FChildren.push_back(this);
  }
  void Loaded() override {
    TComponent::Loaded();
    ++LoadedCalls;
  }

  int GetCount() const { return FCount; }
  void SetCount(int V) { FCount = V; }
  qint64 GetBig() const { return FBig; }
  void SetBig(qint64 V) { FBig = V; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  int GetCursor() const { return FCursor; }
  void SetCursor(int V) { FCursor = V; }
  bool GetShown() const { return FShown; }
  void SetShown(bool V) { FShown = V; }
  double GetRatio() const { return FRatio; }
  void SetRatio(double V) { FRatio = V; }
  QString GetTitle() const { return FTitle; }
  void SetTitle(const QString& V) { FTitle = V; }
  TSampleKind GetKind() const { return FKind; }
  void SetKind(TSampleKind V) { FKind = V; }
  int GetFlags() const { return FFlags; }
  void SetFlags(int V) { FFlags = V; }
  TPen* GetPen() { return &FPen; }
  QStringList GetLines() const { return FLines; }
  void SetLines(const QStringList& V) { FLines = V; }
  QStringList GetNames() const { return FNames; }
  void SetNames(const QStringList& V) { FNames = V; }
  QString GetBuddy() const { return FBuddy; }
  void SetBuddy(const QString& V) { FBuddy = V; }

  std::vector<TSampleComponent*> FChildren;
  std::vector<std::unique_ptr<TSampleItem>> FItems;
  QByteArray FData;
  int LoadedCalls = 0;

 private:
  static const TSampleComponent& As(const TPersistent& I) {
    return PublishedProperty::As<TSampleComponent>(I);
  }

  TSampleComponent* FParent = nullptr;
  int FCount = 3;
  qint64 FBig = 0;
  TColor FColor = clWhite;
  int FCursor = crDefault;
  bool FShown = true;
  double FRatio = 0;
  QString FTitle;
  TSampleKind FKind = skSome;
  int FFlags = 0;
  TPen FPen;
  QStringList FLines;
  QStringList FNames;
  QString FBuddy;
};

// A class whose constructor departs from the table's default count.
class TSevenComponent : public TSampleComponent {
 public:
  explicit TSevenComponent(TComponent* AOwner) : TSampleComponent(AOwner) { SetCount(7); }
  QString ClassName() const override { return QStringLiteral("TSevenComponent"); }
};

// Collects the property-level errors; answers with Answer.
class TRecordingReader : public TReader {
 public:
  using TReader::TReader;
  QStringList Errors;
  bool Answer = true;

 protected:
  bool Error(const QString& Message) override {
    Errors << Message;
    return Answer;
  }
};

class ComponentStreamTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClass(ClassInfoOf<TSampleComponent>()); }
  void TearDown() override { UnRegisterClass(ClassInfoOf<TSampleComponent>()); }

  static TSampleComponent* AddChild(TSampleComponent& Parent, const char* Name) {
    auto* Child = new TSampleComponent(&Parent);
    Child->SetName(Name);
    Child->SetParentComponent(&Parent);
    return Child;
  }

  static QByteArray Write(TSampleComponent& Root) {
    TMemoryStream Stream;
    TWriter Writer(Stream);
    Writer.SetRoot(&Root);
    Writer.WriteSignature();
    Writer.WriteComponent(Root);
    return Stream.Bytes();
  }

  // A root with every property away from its default and two children.
  static void Fill(TSampleComponent& Root) {
    Root.SetCount(100000);
    Root.SetBig(10000000000LL);
    Root.SetColor(clRed);
    Root.SetCursor(crHandPoint);
    Root.SetShown(false);
    Root.SetRatio(0.1);
    Root.SetTitle(QStringLiteral("Caf\u00e9 it's"));
    Root.SetKind(skAll);
    Root.SetFlags(5);
    Root.GetPen()->SetColor(static_cast<TColor>(0x123456));
    Root.SetLines({QStringLiteral("one"), QStringLiteral("two")});
    Root.SetNames({QStringLiteral("a")});
    Root.SetBuddy(QStringLiteral("Child1"));
    Root.FItems.push_back(std::make_unique<TSampleItem>());
    Root.FItems.push_back(std::make_unique<TSampleItem>());
    Root.FItems[1]->SetSize(7);
    Root.FData = QByteArray("\x00\x01\x02", 3);
    AddChild(Root, "Child1")->SetCount(-5);
    AddChild(Root, "Child2");
  }
};

TEST_F(ComponentStreamTest, EveryKindRoundTripsAndRewritesToTheSameBytes) {
  TSampleComponent Source(nullptr);
  Fill(Source);
  const QByteArray Bytes = Write(Source);

  TSampleComponent Target(nullptr);
  Target.SetName("Kept");
  TMemoryStream Stream(Bytes);
  TRecordingReader Reader(Stream);
  Reader.ReadSignature();
  Reader.ReadRootComponent(Target);

  EXPECT_TRUE(Reader.Errors.isEmpty()) << Reader.Errors.join('\n').toStdString();
  EXPECT_EQ(Target.GetName(), "Kept");
  EXPECT_EQ(Target.GetCount(), 100000);
  EXPECT_EQ(Target.GetBig(), 10000000000LL);
  EXPECT_EQ(Target.GetColor(), clRed);
  EXPECT_EQ(Target.GetCursor(), crHandPoint);
  EXPECT_FALSE(Target.GetShown());
  EXPECT_EQ(Target.GetRatio(), 0.1);
  EXPECT_EQ(Target.GetTitle(), QStringLiteral("Caf\u00e9 it's"));
  EXPECT_EQ(Target.GetKind(), skAll);
  EXPECT_EQ(Target.GetFlags(), 5);
  EXPECT_EQ(Target.GetPen()->GetColor(), static_cast<TColor>(0x123456));
  EXPECT_EQ(Target.GetLines(), Source.GetLines());
  EXPECT_EQ(Target.GetNames(), Source.GetNames());
  EXPECT_EQ(Target.GetBuddy(), QStringLiteral("Child1"));
  ASSERT_EQ(Target.FItems.size(), 2u);
  EXPECT_EQ(Target.FItems[1]->GetSize(), 7);
  EXPECT_EQ(Target.FData, Source.FData);
  ASSERT_EQ(Target.FChildren.size(), 2u);
  EXPECT_EQ(Target.FChildren[0]->GetName(), "Child1");
  EXPECT_EQ(Target.FChildren[0]->GetCount(), -5);
  EXPECT_EQ(Target.FChildren[0]->GetOwner(), &Target);
  EXPECT_EQ(Target.LoadedCalls, 1);
  EXPECT_EQ(Target.FChildren[1]->LoadedCalls, 1);
  EXPECT_FALSE(Target.InState(TComponent::csLoading));

  Target.SetName("");
  Source.SetName("");
  EXPECT_EQ(Write(Target), Bytes);
}

TEST_F(ComponentStreamTest, WritesTheSmallestTagsNamesAndFlattenedSubObjects) {
  TSampleComponent Root(nullptr);
  Root.SetCount(-5);
  Root.SetColor(clRed);
  Root.GetPen()->SetColor(clBlue);
  const QByteArray Bytes = Write(Root);
  EXPECT_TRUE(Bytes.startsWith(QByteArray("TPF0\x10TSampleComponent\x00", 22)));
  EXPECT_TRUE(
      Bytes.contains(QByteArray("\x05"
                                "Count\x02\xfb",
                                8)));
  EXPECT_TRUE(
      Bytes.contains(QByteArray("\x05"
                                "Color\x07\x05"
                                "clRed",
                                13)));
  EXPECT_TRUE(
      Bytes.contains(QByteArray("\x09"
                                "Pen.Color\x07\x06"
                                "clBlue",
                                18)));
  // Defaults are left out: nothing about Shown, Kind or Title.
  EXPECT_FALSE(Bytes.contains("Shown"));
  EXPECT_FALSE(Bytes.contains("Kind"));
  EXPECT_TRUE(Bytes.endsWith(QByteArray("\x00\x00", 2)));
}

TEST_F(ComponentStreamTest, ValuesAreComparedWithWhatANewComponentOfTheClassHas) {
  RegisterClass(ClassInfoOf<TSevenComponent>());
  TSevenComponent Root(nullptr);
  EXPECT_FALSE(Write(Root).contains("Count"));
  Root.SetCount(3);  // the table's default, but not this class's
  const QByteArray Bytes = Write(Root);
  EXPECT_TRUE(Bytes.contains("Count"));
  TSevenComponent Copy(nullptr);
  TMemoryStream Stream(Bytes);
  TReader Reader(Stream);
  Reader.ReadSignature();
  Reader.ReadRootComponent(Copy);
  EXPECT_EQ(Copy.GetCount(), 3);
  UnRegisterClass(ClassInfoOf<TSevenComponent>());
}

// Builds a stream by hand: the root class, then Body (properties), then the
// ends of the property and child lists.
QByteArray RootStream(const QByteArray& Body, const QByteArray& Children = QByteArray()) {
  return QByteArray("TPF0\x10TSampleComponent\x00", 22) + Body + QByteArray(1, '\0') + Children +
         QByteArray(1, '\0');
}

TEST_F(ComponentStreamTest, PropertyErrorsAreAskedAboutAndSkipped) {
  const QByteArray Body = QByteArray("\x07Unknown\x02\x01", 10) +    // no such property
                          QByteArray("\x04Kind\x07\x05skBad", 12) +  // no such identifier
                          QByteArray("\x05Shown\x02\x01", 8) +       // integer for a boolean
                          QByteArray(
                              "\x07OnClick\x07\x09"
                              "FormClick",
                              19) +  // an event handler
                          QByteArray(
                              "\x05"
                              "Count\x02\x09",
                              8);
  const QByteArray Child = QByteArray(
      "\x0bTUnknownCls\x01X\x05"
      "Count\x02\x01\x00\x00",
      24);
  const QByteArray Bytes =
      RootStream(Body, Child + QByteArray("\x10TSampleComponent\x01Y\x00\x00", 21));
  TSampleComponent Root(nullptr);
  TMemoryStream Stream(Bytes);
  TRecordingReader Reader(Stream);
  Reader.ReadSignature();
  Reader.ReadRootComponent(Root);
  EXPECT_EQ(Root.GetCount(), 9);
  EXPECT_EQ(Root.GetKind(), skSome);
  ASSERT_EQ(Reader.Errors.size(), 4) << Reader.Errors.join('\n').toStdString();
  EXPECT_TRUE(Reader.Errors[0].contains("Unknown"));
  EXPECT_TRUE(Reader.Errors[3].contains("TUnknownCls"));
  ASSERT_EQ(Root.FChildren.size(), 1u);
  EXPECT_EQ(Root.FChildren[0]->GetName(), "Y");

  TSampleComponent Strict(nullptr);
  TMemoryStream Again(Bytes);
  TRecordingReader Stopping(Again);
  Stopping.Answer = false;
  Stopping.ReadSignature();
  EXPECT_THROW(Stopping.ReadRootComponent(Strict), EReadError);
  EXPECT_FALSE(Strict.InState(TComponent::csLoading));
}

TEST_F(ComponentStreamTest, AKnownClassThatIsNoComponentIsRefusedAsAChild) {
  const TClassInfo& Item = PersistentClassInfoOf<TSampleItem>("TSampleItem");
  EXPECT_FALSE(Item.IsComponent());
  EXPECT_TRUE(ClassInfoOf<TSampleComponent>().IsComponent());
  RegisterClass(Item);
  EXPECT_EQ(GetClass(QStringLiteral("tsampleitem")), &Item);
  EXPECT_EQ(GetClass(typeid(TSampleItem)), &Item);
  const QByteArray Child = QByteArray(
      "\x0bTSampleItem\x01X\x05"
      "Count\x02\x01\x00\x00",
      24);
  const QByteArray Bytes =
      RootStream(QByteArray(), Child + QByteArray("\x10TSampleComponent\x01Y\x00\x00", 21));
  TSampleComponent Root(nullptr);
  TMemoryStream Stream(Bytes);
  TRecordingReader Reader(Stream);
  Reader.ReadSignature();
  Reader.ReadRootComponent(Root);
  UnRegisterClass(Item);
  ASSERT_EQ(Reader.Errors.size(), 1) << Reader.Errors.join('\n').toStdString();
  EXPECT_TRUE(Reader.Errors[0].contains("TSampleItem is not a component class"));
  ASSERT_EQ(Root.FChildren.size(), 1u);
  EXPECT_EQ(Root.FChildren[0]->GetName(), "Y");
}

TEST_F(ComponentStreamTest, StructuralDamageRaisesWithoutCrashingOrAllocating) {
  // A binary length far beyond the bytes left, an unknown tag, an endless
  // nest of lists.
  const QByteArray Huge =
      RootStream(QByteArray("\x04"
                            "Data\x0a\xff\xff\xff\x7f",
                            10));
  const QByteArray BadTag =
      RootStream(QByteArray("\x05"
                            "Count\x63",
                            7));
  const QByteArray Deep = RootStream(QByteArray("\x05Names", 6) + QByteArray(100000, '\x01'));
  for (const QByteArray& Bytes : {Huge, BadTag, Deep}) {
    TSampleComponent Root(nullptr);
    TMemoryStream Stream(Bytes);
    TReader Reader(Stream);
    Reader.ReadSignature();
    EXPECT_THROW(Reader.ReadRootComponent(Root), EReadError);
  }

  TSampleComponent Source(nullptr);
  Fill(Source);
  const QByteArray Good = Write(Source);
  QRandomGenerator Random(42);
  for (int Cut = 0; Cut < Good.size(); ++Cut) {
    for (const bool Flip : {false, true}) {
      QByteArray Bytes = Flip ? Good : Good.left(Cut);
      if (Flip) Bytes[Cut] = static_cast<char>(Bytes[Cut] ^ (1 << Random.bounded(8)));
      TSampleComponent Root(nullptr);
      TMemoryStream Stream(Bytes);
      TReader Reader(Stream);
      try {
        Reader.ReadSignature();
        Reader.ReadRootComponent(Root);
      } catch (const EReadError&) {
      }
      EXPECT_FALSE(Root.InState(TComponent::csLoading)) << Cut;
    }
  }
}

}  // namespace
