// The variant's typed reads: each value reads back as stored, and as the zero of any other
// type, which is what the engine helpers rely on when an engine answers with the wrong type.

#include "engine/EngineTypes.h"

#include <gtest/gtest.h>

using namespace lw;

TEST(Variant, ReadsBackWhatItHoldsAndZeroForOtherTypes) {
    const Variant i2 = Variant::fromI2(-1);
    EXPECT_EQ(i2.type(), VT_I2);
    EXPECT_EQ(i2.i2(), -1);
    EXPECT_EQ(i2.i4(), 0);

    const Variant i4 = Variant::fromI4(0x00336699);
    EXPECT_EQ(i4.type(), VT_I4);
    EXPECT_EQ(i4.i4(), 0x00336699);
    EXPECT_EQ(i4.i2(), 0);
    EXPECT_TRUE(i4.bstr().isNull());

    const Variant yes = Variant::fromBool(true);
    EXPECT_EQ(yes.type(), VT_BOOL);
    EXPECT_EQ(yes.boolValue(), VARIANT_TRUE);
    EXPECT_EQ(Variant::fromBool(false).boolValue(), VARIANT_FALSE);
    EXPECT_EQ(Variant::fromString(QStringLiteral("-1")).boolValue(), VARIANT_FALSE);

    const Variant error = Variant::fromError(E_FAIL);
    EXPECT_EQ(error.type(), VT_ERROR);
    EXPECT_EQ(error.error(), E_FAIL);
    EXPECT_EQ(Variant::fromI4(5).error(), S_OK);
}

TEST(Variant, StringArraysKeepTheirBounds) {
    const Variant list = Variant::fromStringArray({QStringLiteral("a"), QStringLiteral("b")}, 1);
    EXPECT_EQ(list.type(), VT_ARRAY | VT_BSTR);
    EXPECT_TRUE(list.isArray());
    EXPECT_EQ(list.arrayLowerBound(), 1);
    EXPECT_EQ(list.arrayUpperBound(), 2);
    EXPECT_EQ(list.stringArray(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));

    const Variant empty = Variant::fromStringArray({});
    EXPECT_LT(empty.arrayUpperBound(), empty.arrayLowerBound());
}

TEST(Variant, ClearingLeavesAnEmptyValue) {
    Variant value = Variant::fromString(QStringLiteral("text"));
    value.clear();
    EXPECT_TRUE(value.isEmpty());
    EXPECT_EQ(value, Variant());
    EXPECT_NE(Variant::null(), Variant());
}
