#include "model/SiteState.h"

#include <gtest/gtest.h>

using namespace brellic;

TEST(DeviceList, TextShowsFiveTabSeparatedColumns) {
    TDeviceData device{3, 2, "PIR Detector QP-13", 0.039, 0.039};
    EXPECT_EQ(DeviceText(device, '.'), "3\tPIR Detector QP-13\t2\t0.039 Amps\t0.039 Amps");
    EXPECT_EQ(DeviceText(device, ','), "3\tPIR Detector QP-13\t2\t0,039 Amps\t0,039 Amps");
}

TEST(DeviceList, AppendUpdateRemoveKeepOrderAndTexts) {
    DeviceList list;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(list.Append(TDeviceData{i + 1, 2, "D" + std::to_string(i), 0.01, 0.02}, '.'));
    list.Update(1, TDeviceData{5, 3, "Changed", 0.5, 0.25}, '.');
    EXPECT_EQ(list.At(1).Text, "5\tChanged\t3\t0.500 Amps\t0.250 Amps");
    list.Remove(0);
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.At(0).Data.Description, "Changed");
    EXPECT_EQ(list.At(1).Data.Description, "D2");
    list.RebuildTexts(',');
    EXPECT_EQ(list.At(0).Text, "5\tChanged\t3\t0,500 Amps\t0,250 Amps");
    EXPECT_THROW(list.Remove(2), std::out_of_range);
    list.ClearDevices();
    EXPECT_TRUE(list.Empty());
}

TEST(DeviceList, HoldsAtMostOneHundredEntries) {
    DeviceList list;
    for (std::size_t i = 0; i < DeviceList::kCapacity; ++i)
        ASSERT_TRUE(list.Append(TDeviceData{1, 2, "x", 0, 0}, '.'));
    EXPECT_TRUE(list.Full());
    EXPECT_FALSE(list.Append(TDeviceData{1, 2, "y", 0, 0}, '.'));
    EXPECT_EQ(list.Count(), 100u);
}
