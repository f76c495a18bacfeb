#include "model/Globals.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace brellic;

namespace {

std::vector<int> Range(int first, int last) {
    std::vector<int> rows;
    for (int i = first; i <= last; ++i)
        rows.push_back(i);
    return rows;
}

std::vector<int> Concat(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

TEST(Globals, NamesAreUniqueShortAndWithoutTabs) {
    std::set<std::string_view> names;
    for (const PanelRecord& panel : PanelTable) {
        EXPECT_FALSE(panel.Name.empty());
        EXPECT_LE(panel.Name.size(), 17u) << panel.Name;
        EXPECT_EQ(panel.Name.find('\t'), std::string_view::npos);
        EXPECT_TRUE(names.insert(panel.Name).second) << panel.Name;
    }
    for (const CatalogueDevice& device : DeviceCatalogue) {
        EXPECT_FALSE(device.Name.empty());
        EXPECT_LE(device.Name.size(), 32u) << device.Name;
        EXPECT_EQ(device.Name.find('\t'), std::string_view::npos);
        EXPECT_TRUE(names.insert(device.Name).second) << device.Name;
    }
}

TEST(Globals, ModeVariantsAreNamedByMode) {
    for (int base : {23, 45}) {
        EXPECT_TRUE(DeviceCatalogue[base].Name.ends_with("(Normal)"));
        EXPECT_TRUE(DeviceCatalogue[base + 1].Name.ends_with("(SCB Mode)"));
        EXPECT_TRUE(DeviceCatalogue[base + 2].Name.ends_with("(LC Mode)"));
    }
    EXPECT_NE(PanelTable[20].Name.find("PSU"), std::string_view::npos);
    EXPECT_NE(PanelTable[21].Name.find("PSU"), std::string_view::npos);
}

TEST(Globals, PeakCurrentFiguresFollowFromThePanelTable) {
    // PSU output less charging current, per panel row.
    const double expected[kPanelCount] = {0.88, 0.88, 0.88, 0.88, 0.88, 0.88, 0.88, 0.88,
                                          0.88, 0.75, 1.25, 1.25, 1.25, 1.25, 1.38, 1.75,
                                          1.75, 1.75, 1.75, 1.75, 1.25, 1.75};
    for (int row = 0; row < kPanelCount; ++row)
        EXPECT_NEAR(PanelTable[row].PsuOutput - PanelTable[row].ChargeCurrent, expected[row], 1e-12)
            << row;
    EXPECT_EQ(PanelTable[20].FamilyId, 20);
    EXPECT_EQ(PanelTable[21].FamilyId, 20);
    EXPECT_EQ(PanelTable[8].PanelCurrent, 0.095);
    EXPECT_EQ(PanelTable[13].PanelCurrent, 0.16);
    EXPECT_EQ(PanelTable[20].PanelCurrent, 0.025);
}

TEST(Globals, PanelsForEachGrade) {
    EXPECT_EQ(PanelsForGrade(1), Range(0, 21));
    EXPECT_EQ(PanelsForGrade(2), Range(3, 21));
    EXPECT_EQ(PanelsForGrade(3), Concat({Range(9, 13), Range(15, 21)}));
}

TEST(Globals, BatteriesForEachPanel) {
    for (int row = 0; row < kPanelCount; ++row) {
        std::vector<int> expected;
        if (row == 0)
            expected = {0};
        else if (row <= 8 || row == 14)
            expected = {1};
        else if (row <= 19)
            expected = {1, 2, 3};
        else
            expected = {1, 2, 3, 4};
        EXPECT_EQ(BatteriesForPanel(row), expected) << "panel row " << row;
    }
    EXPECT_TRUE(BatteriesForPanel(-1).empty());
    EXPECT_EQ(BatteryTable[4], "14.4 Ah (2 x 7.2)");
}

TEST(Globals, CatalogueSelections) {
    // Family 0 only exists on panel row 0, which is offered at grade 1.
    EXPECT_EQ(CatalogueForPanel(0, 1),
              Concat({Range(13, 18), Range(21, 25), Range(37, 47), Range(50, 52), Range(59, 74)}));
    EXPECT_EQ(CatalogueForPanel(9, 1).size(), 72u);
    EXPECT_EQ(CatalogueForPanel(9, 2).size(), 72u);
    EXPECT_EQ(CatalogueForPanel(9, 3).size(), 43u);
    for (int row : CatalogueForPanel(9, 3))
        EXPECT_GE(DeviceCatalogue[row].Grade, 3);
    // Grade-4 devices are offered at every grade.
    for (int grade = 1; grade <= 3; ++grade) {
        const auto rows = CatalogueForPanel(15, grade);
        for (int row = 53; row <= 58; ++row)
            EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end()) << row;
    }
    EXPECT_TRUE(CatalogueForFamily(32, 1).empty());
    EXPECT_TRUE(CatalogueForFamily(255, 1).empty());
    // Every panel offers at least 41 devices at each grade it allows.
    for (int row = 0; row < kPanelCount; ++row)
        for (int grade = 1; grade <= PanelTable[row].MaxGrade; ++grade)
            EXPECT_GE(CatalogueForPanel(row, grade).size(), 41u) << row << "/" << grade;
}

TEST(Globals, LookUpsByExactName) {
    EXPECT_EQ(FindPanelByName(PanelTable[13].Name), 13);
    EXPECT_EQ(FindCatalogueByName(DeviceCatalogue[59].Name), 59);
    EXPECT_EQ(FindPanelByName(""), -1);
    std::string lower(PanelTable[3].Name);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(FindPanelByName(lower), -1);
    EXPECT_EQ(FindCatalogueByName(std::string(DeviceCatalogue[5].Name) + " "), -1);
}
