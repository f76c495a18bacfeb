#include "Globals.h"

namespace brellic {

std::vector<int> PanelsForGrade(int grade) {
    std::vector<int> rows;
    for (int row = 0; row < kPanelCount; ++row) {
        if (PanelTable[row].MaxGrade >= grade)
            rows.push_back(row);
    }
    return rows;
}

std::vector<int> BatteriesForPanel(int panelRow) {
    std::vector<int> rows;
    if (panelRow < 0 || panelRow >= kPanelCount)
        return rows;
    const unsigned mask = PanelTable[panelRow].BatteryMask;
    for (int bit = 0; bit < kBatteryCount; ++bit) {
        if (mask & (1u << bit))
            rows.push_back(bit);
    }
    return rows;
}

std::vector<int> CatalogueForFamily(unsigned family, int grade) {
    std::vector<int> rows;
    if (family > 31) // a family outside the 32-bit set matches no device
        return rows;
    for (int row = 0; row < kCatalogueCount; ++row) {
        const CatalogueDevice& device = DeviceCatalogue[row];
        if ((device.Families & (1u << family)) && device.Grade >= grade)
            rows.push_back(row);
    }
    return rows;
}

std::vector<int> CatalogueForPanel(int panelRow, int grade) {
    if (panelRow < 0 || panelRow >= kPanelCount)
        return {};
    return CatalogueForFamily(PanelTable[panelRow].FamilyId, grade);
}

int FindPanelByName(std::string_view name) {
    int found = -1;
    for (int row = 0; row < kPanelCount; ++row) {
        if (PanelTable[row].Name == name)
            found = row;
    }
    return found;
}

int FindCatalogueByName(std::string_view name) {
    int found = -1;
    for (int row = 0; row < kCatalogueCount; ++row) {
        if (DeviceCatalogue[row].Name == name)
            found = row;
    }
    return found;
}

} // namespace brellic
