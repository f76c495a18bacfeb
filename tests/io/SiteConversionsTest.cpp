#include "io/SiteConversions.h"

#include "model/Globals.h"

#include <gtest/gtest.h>

namespace brellic {
namespace {

TEST(SupplyNameOf, TheWindowTakesTheFileNameAndCombineTheReferenceFirst) {
    SupplySite site;
    site.SiteRef = "Gatehouse";
    EXPECT_EQ(SupplyNameOf("/sites/Yard PSU.KVR", site, SupplyNaming::FileName), "Yard PSU");
    EXPECT_EQ(SupplyNameOf("/sites/Yard PSU.KVR", site, SupplyNaming::SiteReference), "Gatehouse");

    // A file's name too long for a supply is cut by combine; the window
    // takes none (and numbers the supply instead).
    site.SiteRef.clear();
    const std::string longName(60, 'n');
    EXPECT_EQ(SupplyNameOf("/s/" + longName + ".KVR", site, SupplyNaming::SiteReference),
              std::string(50, 'n'));
    EXPECT_EQ(SupplyNameOf("/s/" + longName + ".KVR", site, SupplyNaming::FileName), "");

    // Neither takes a name no site file can hold, or no name at all.
    for (const SupplyNaming naming : {SupplyNaming::FileName, SupplyNaming::SiteReference}) {
        EXPECT_EQ(SupplyNameOf("/s/\xE4\xB8\xAD.KVR", site, naming), "");
        EXPECT_EQ(SupplyNameOf("", site, naming), "");
    }
}

TEST(ReportSiteOf, NamesThePanelAndTheBatteryAsTheirListsShowThem) {
    SupplySite site;
    site.SiteRef = "Depot";
    site.Grade = 2;
    site.AcFail = true;
    EXPECT_EQ(ReportSiteOf(site, 1).PanelName, "");
    EXPECT_EQ(BatteryTextOf(site), "");

    site.Panel = 0;
    const std::vector<int> batteries = BatteriesForPanel(0);
    site.Battery = static_cast<std::int32_t>(batteries.size() - 1);
    const ReportSite report = ReportSiteOf(site, 1);
    EXPECT_EQ(report.PanelName, PanelTable[0].Name);
    EXPECT_EQ(report.BatteryText, BatteryTable[static_cast<std::size_t>(batteries.back())]);
    EXPECT_EQ(report.SystemStandard, 1);
    EXPECT_EQ(report.SystemGrade, 2);
    EXPECT_TRUE(report.AcFailSignalled);

    site.Battery = static_cast<std::int32_t>(batteries.size()); // not in the list
    EXPECT_EQ(BatteryTextOf(site), "");
}

} // namespace
} // namespace brellic
