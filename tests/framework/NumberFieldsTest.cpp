#include "NumberEdit.h"
#include "TestParent.h"
#include "ValueDisplay.h"
#include "WindowNumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class NumberFieldsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Parent = new TestParent();
        ASSERT_TRUE(Parent->CreateHandle());
        Display = new ValueDisplay(Parent, "", 5, 5, 100, 20);
        Entry = new NumberEdit(Parent, "", 5, 30, 300, 20, 70);
        ASSERT_TRUE(Display->CreateHandle());
        ASSERT_TRUE(Entry->CreateHandle());
    }
    void TearDown() override { WindowsObject::Delete(Parent); }

    TestParent* Parent = nullptr;
    ValueDisplay* Display = nullptr;
    NumberEdit* Entry = nullptr;
};

TEST_F(NumberFieldsTest, ValueDisplayShowsIntegersRealsAndVersions)
{
    Display->ShowInteger(-1);
    EXPECT_EQ("-1", WindowText(Display->Handle));
    Display->ShowInteger(static_cast<std::int32_t>(0xFFFFFFFFu));
    EXPECT_EQ("-1", WindowText(Display->Handle)) << "a serial number with the top bit set";
    Display->ShowInteger(123456);
    EXPECT_EQ("123456", WindowText(Display->Handle));
    Display->ShowReal(21.37f);
    EXPECT_EQ("21.37", WindowText(Display->Handle));
    Display->ShowReal(-0.001f);
    EXPECT_EQ("-0.00", WindowText(Display->Handle));
    Display->ShowVersion(0x0105);
    EXPECT_EQ("1.05", WindowText(Display->Handle));
    Display->ShowVersion(0x0A0B);
    EXPECT_EQ("0A.0B", WindowText(Display->Handle));
    Display->SetText("ZEF");
    EXPECT_EQ("ZEF", WindowText(Display->Handle));
    Display->Clear();
    EXPECT_EQ("", WindowText(Display->Handle));
}

TEST_F(NumberFieldsTest, NumberEditReadsWhatIsTyped)
{
    // text in the entry, value read (NaN compared as NaN)
    const struct {
        const char* Text;
        float Value;
    } cases[] = {
        {"12,5", 12.5f},
        {"   -3", -3.0f},
        {"1e2", 100.0f},
        {"abc", 0.0f},
        {"1.5 ", 0.0f},
        {"\t1", 0.0f},
        {"", 0.0f},
        {"1234567890123456", 123456789012345.0f},  // the first 15 characters
        {"-1e39", -INFINITY},
    };
    for (const auto& c : cases) {
        SetWindowTextA(Entry->Handle, c.Text);
        EXPECT_EQ(c.Value, Entry->GetValue()) << "text \"" << c.Text << "\"";
    }
    SetWindowTextA(Entry->Handle, "-0");
    float zero = Entry->GetValue();
    EXPECT_TRUE(zero == 0.0f && std::signbit(zero)) << "-0 reads as negative zero, got " << zero;
    SetWindowTextA(Entry->Handle, "nan");
    EXPECT_TRUE(std::isnan(Entry->GetValue()));
}

TEST_F(NumberFieldsTest, NumberEditShowsValuesWithTwoDecimals)
{
    // value set, text shown
    const struct {
        float Value;
        const char* Text;
    } cases[] = {{-327.68f, "-327.68"}, {0.125f, "0.13"}, {1.005f, "1.01"}, {-0.0f, "-0.00"}, {INFINITY, "+Inf"}};
    for (const auto& c : cases) {
        Entry->SetValue(c.Value);
        EXPECT_EQ(c.Text, WindowText(Entry->Handle)) << "value " << c.Value;
    }
    Entry->SetValue(12.5f);
    EXPECT_EQ(12.5f, Entry->GetValue()) << "what is shown reads back";
}

TEST_F(NumberFieldsTest, NumberTextsGoToAnyWindow)
{
    SetIntegerText(Parent->Handle, -2147483647 - 1);
    EXPECT_EQ("-2147483648", WindowText(Parent->Handle));
    SetRealText(Parent->Handle, 327.67f);
    EXPECT_EQ("327.67", WindowText(Parent->Handle));
}

}  // namespace
