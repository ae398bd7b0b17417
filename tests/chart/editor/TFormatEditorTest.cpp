#include "chart/editor/TFormatEditor.h"

#include "platform/FormatSettings.h"
#include "platform/TEditUpDown.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The editor under English separators ("," thousands, "." decimals, "$");
// each test reads a format as showing the form does.
class TFormatEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Saved = CurrentFormatSettings();
    SetFormatSettings(FormatSettings::English());
  }
  void TearDown() override { SetFormatSettings(Saved); }

  // A fresh editor that has read Format.
  std::unique_ptr<TFormatEditor> Read(const QString& Format, bool IsDateTime = false) {
    auto Editor = std::make_unique<TFormatEditor>(nullptr);
    Editor->SetFormat(Format);
    Editor->SetIsDateTime(IsDateTime);
    Editor->FormShow();
    return Editor;
  }

  static void ExpectNumber(const TFormatEditor& E, bool Thousands, int Decimals, bool Fixed,
                           int Digits) {
    EXPECT_TRUE(E.RBInteger->isChecked());
    EXPECT_EQ(E.CBThousands->isChecked(), Thousands);
    EXPECT_EQ(E.Edit1->GetPosition(), Decimals);
    EXPECT_EQ(E.CBFixedDecimals->isChecked(), Fixed);
    EXPECT_EQ(E.Edit2->GetPosition(), Digits);
  }

  FormatSettings Saved;
};

TEST_F(TFormatEditorTest, ReadsThousandsWithFixedDecimalsAndBuildsTheSameFormatBack) {
  const auto E = Read(QStringLiteral("#,##0.00"));
  ExpectNumber(*E, true, 2, true, 1);
  EXPECT_FALSE(E->CBPercent->isChecked());
  EXPECT_FALSE(E->CBCurrency->isChecked());
  EXPECT_EQ(E->BuildFormat(), "#,##0.00");
}

TEST_F(TFormatEditorTest, ReadsPercentCurrencyAndOptionalDecimals) {
  const auto Percent = Read(QStringLiteral("0.0%"));
  ExpectNumber(*Percent, false, 1, true, 1);
  EXPECT_TRUE(Percent->CBPercent->isChecked());
  // Percent numbers have neither thousands nor currency.
  EXPECT_FALSE(Percent->CBThousands->isEnabled());
  EXPECT_FALSE(Percent->CBCurrency->isEnabled());
  EXPECT_EQ(Percent->BuildFormat(), "0.0%");

  const auto Money = Read(QStringLiteral("$#,##0.##"));
  ExpectNumber(*Money, true, 2, false, 1);
  EXPECT_TRUE(Money->CBCurrency->isChecked());
  EXPECT_TRUE(Money->CBThousands->isEnabled());
  EXPECT_EQ(Money->BuildFormat(), "$#,##0.##");

  const auto Plain = Read(QStringLiteral("#"));
  ExpectNumber(*Plain, false, 0, false, 0);
  EXPECT_EQ(Plain->BuildFormat(), "#");
}

TEST_F(TFormatEditorTest, TextThatIsNoNumberPictureIsCustom) {
  for (const QString& Format :
       {QStringLiteral("dd/mm"), QStringLiteral("#,##0.00;(#,##0.00)"), QStringLiteral("00e-0")}) {
    SCOPED_TRACE(Format.toStdString());
    const auto E = Read(Format);
    EXPECT_TRUE(E->RBCustom->isChecked());
    EXPECT_FALSE(E->RBInteger->isChecked());
    EXPECT_EQ(E->CBCustom->currentText(), Format);
    EXPECT_TRUE(E->CBCustom->isEnabled());
    EXPECT_FALSE(E->CBPercent->isEnabled());
    EXPECT_EQ(E->BuildFormat(), Format);
  }
}

TEST_F(TFormatEditorTest, DateAndGeographicFormatsSelectTheirListsAddingUnknownOnes) {
  const auto Listed = Read(QStringLiteral("mm-yyyy"));
  EXPECT_TRUE(Listed->RBDate->isChecked());
  EXPECT_TRUE(Listed->CBDate->isEnabled());
  EXPECT_FALSE(Listed->CBGeo->isEnabled());
  EXPECT_EQ(Listed->BuildFormat(), "mm-yyyy");

  const auto DateTime = Read(QStringLiteral("hh:nn:ss.zzz"), true);
  const int Count = DateTime->CBDate->count();
  EXPECT_EQ(DateTime->CBDate->currentText(), "hh:nn:ss.zzz");
  EXPECT_EQ(DateTime->CBDate->itemText(Count - 1), "hh:nn:ss.zzz");
  // The system's short formats follow the fixed ones.
  EXPECT_EQ(DateTime->CBDate->itemText(5), "MM");
  EXPECT_EQ(DateTime->CBDate->itemText(6), "dd/mm/yyyy");
  EXPECT_EQ(DateTime->CBDate->itemText(7), "hh:nn");

  const auto Geo = Read(QStringLiteral("ddd mm' ss\".zzz"));
  EXPECT_TRUE(Geo->RBGeo->isChecked());
  EXPECT_EQ(Geo->CBGeo->count(), 8);
  EXPECT_EQ(Geo->CBGeo->itemText(0), QStringLiteral("ddd\u00B0 mm' ss\".zzz"));
  EXPECT_EQ(Geo->BuildFormat(), "ddd mm' ss\".zzz");
}

TEST_F(TFormatEditorTest, ModeChoicesEnableTheirComboAndFillEmptyTexts) {
  const auto E = Read(QStringLiteral("#,##0.00"));
  E->RBCustom->click();
  EXPECT_FALSE(E->RBInteger->isChecked());
  EXPECT_TRUE(E->CBCustom->isEnabled());
  EXPECT_FALSE(E->CBDate->isEnabled());
  EXPECT_FALSE(E->CBPercent->isEnabled());
  // An empty custom text starts from the number picture built so far.
  EXPECT_EQ(E->CBCustom->currentText(), "#,##0.00");

  E->CBDate->setCurrentText(QString());
  E->RBDate->click();
  EXPECT_EQ(E->CBDate->currentText(), "dd/mm/yyyy");
  EXPECT_TRUE(E->CBPercent->isEnabled());
  EXPECT_FALSE(E->CBCustom->isEnabled());
  EXPECT_EQ(E->BuildFormat(), "dd/mm/yyyy");

  E->CBGeo->setCurrentText(QString());
  E->RBGeo->click();
  EXPECT_EQ(E->CBGeo->currentText(), QStringLiteral("ddd\u00B0 mm' ss\".zzz"));

  E->RBInteger->click();
  EXPECT_FALSE(E->RBGeo->isChecked());
  EXPECT_FALSE(E->CBGeo->isEnabled());
  EXPECT_EQ(E->BuildFormat(), "#,##0.00");

  E->CBCurrency->setChecked(true);
  E->CBPercent->click();
  EXPECT_FALSE(E->CBThousands->isChecked());
  EXPECT_FALSE(E->CBCurrency->isChecked());
  EXPECT_FALSE(E->CBThousands->isEnabled());
  EXPECT_EQ(E->BuildFormat(), "0.00%");
  E->CBPercent->click();
  EXPECT_TRUE(E->CBThousands->isEnabled());
  EXPECT_TRUE(E->CBCurrency->isEnabled());
}

TEST_F(TFormatEditorTest, ChangeReturnsTheBuiltFormatOnOkAndTheGivenOneOnCancel) {
  ModalScript Script;
  Script.AnswerForm([](QDialog& D) {
    auto& E = dynamic_cast<TFormatEditor&>(D);
    EXPECT_EQ(E.windowTitle(), "Numeric Format");
    EXPECT_TRUE(E.RBDate->isHidden());
    EXPECT_TRUE(E.CBDate->isHidden());
    // Opened from a page: the standard value formats are offered too.
    EXPECT_GE(E.CBCustom->findText(QStringLiteral("#,##0.###")), 0);
    EXPECT_GE(E.CBCustom->findText(QStringLiteral("#.# x10E-#")), 0);
    EXPECT_EQ(E.CBCustom->findText(QStringLiteral("#.#")), 0);
    E.Edit1->SetPosition(3);
    E.BOK->click();
    return E.result();
  });
  EXPECT_EQ(TFormatEditor::Change(nullptr, QStringLiteral("#,##0.00"), false), "#,##0.000");

  Script.AnswerForm([](QDialog& D) {
    auto& E = dynamic_cast<TFormatEditor&>(D);
    EXPECT_FALSE(E.RBDate->isHidden());
    EXPECT_TRUE(E.RBDate->isChecked());
    E.RBInteger->click();
    E.BCancel->click();
    return E.result();
  });
  EXPECT_EQ(TFormatEditor::Change(nullptr, QStringLiteral("hh:nn"), true), "hh:nn");
}

struct BuildCase {
  const char* Name;
  bool Thousands;
  int Digits;
  int Decimals;
  bool Fixed;
  const char* Expected;
};

class TFormatEditorBuildTest : public TFormatEditorTest,
                               public ::testing::WithParamInterface<BuildCase> {};

TEST_P(TFormatEditorBuildTest, BuildsTheIntegerPartFromMinimumDigitsAndThousands) {
  const BuildCase& C = GetParam();
  const auto E = Read(QStringLiteral("0"));
  E->CBThousands->setChecked(C.Thousands);
  E->Edit2->SetPosition(C.Digits);
  E->Edit1->SetPosition(C.Decimals);
  E->CBFixedDecimals->setChecked(C.Fixed);
  EXPECT_EQ(E->BuildFormat(), QString::fromUtf8(C.Expected));
  // What the editor builds, it reads back the same.
  const auto Again = Read(E->BuildFormat());
  ExpectNumber(*Again, C.Thousands, C.Decimals, C.Decimals > 0 && C.Fixed, C.Digits);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, TFormatEditorBuildTest,
    ::testing::Values(BuildCase{"FiveDigitsWithThousands", true, 5, 0, false, "00,000"},
                      BuildCase{"FourDigitsWithThousands", true, 4, 1, true, "0,000.0"},
                      BuildCase{"TwoDigitsWithThousands", true, 2, 0, false, "#,#00"},
                      BuildCase{"NoDigitsWithThousands", true, 0, 2, false, "#,###.##"},
                      BuildCase{"ThreeDigitsPlain", false, 3, 2, true, "000.00"},
                      BuildCase{"NoDigitsPlain", false, 0, 0, true, "#"},
                      BuildCase{"TwentyDecimals", false, 1, 20, true, "0.00000000000000000000"}),
    [](const ::testing::TestParamInfo<BuildCase>& Info) { return Info.param.Name; });

// With a decimal comma the pictures use the user's separators, as the
// pages show formats.
TEST_F(TFormatEditorTest, DecimalCommaSettingsSwapTheSeparators) {
  DecimalCommaLocale Locale;
  FormatSettings German = FormatSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany));
  ASSERT_EQ(German.DecimalSeparator, u',');
  ASSERT_EQ(German.ThousandSeparator, u'.');
  SetFormatSettings(German);

  const auto E = Read(QStringLiteral("#.##0,00"));
  ExpectNumber(*E, true, 2, true, 1);
  EXPECT_EQ(E->BuildFormat(), "#.##0,00");
  E->Edit2->SetPosition(5);
  E->Edit1->SetPosition(0);
  EXPECT_EQ(E->BuildFormat(), "00.000");

  const auto Percent = Read(QStringLiteral("0,0%"));
  ExpectNumber(*Percent, false, 1, true, 1);
  EXPECT_TRUE(Percent->CBPercent->isChecked());

  const auto Money = Read(German.CurrencyString + QStringLiteral("#.##0,##"));
  ExpectNumber(*Money, true, 2, false, 1);
  EXPECT_TRUE(Money->CBCurrency->isChecked());
  EXPECT_EQ(Money->BuildFormat(), German.CurrencyString + QStringLiteral("#.##0,##"));
}

}  // namespace
