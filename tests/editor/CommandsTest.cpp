#include "EditorFixture.h"
#include "editor/Commands.h"
#include "editor/InstallationEditor.h"

using namespace brellic;
using brellic::test::EditorTest;

namespace {

class CommandsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        installation = std::make_unique<InstallationEditor>(*editor, prompter);
    }
    CommandStates states() const { return installation->Commands(); }
    std::unique_ptr<InstallationEditor> installation;
};

bool AnySupplyCommand(const CommandStates& s) {
    return s.AddSupply || s.AddSupplyFromSiteFile || s.Details || s.DuplicateSupply ||
           s.MoveSupplyLeft || s.MoveSupplyRight || s.RenameSupply || s.RemoveSupply ||
           s.SaveSupplyAsSiteFile || s.CableRuns;
}

} // namespace

// A site on its own: its commands wait for a panel and a battery, Save for a
// name too; the Installation menu's commands wait for an installation, and
// Cable Runs says why.
TEST_F(CommandsTest, ASiteAloneOffersItsCommandsOnceReady) {
    CommandStates s = states();
    for (bool on : {s.DeviceList, s.AddDevice, s.EditDevice, s.DeleteDevice, s.Save, s.SaveAs,
                    s.Report, s.CalculationSheet})
        EXPECT_FALSE(on);
    EXPECT_FALSE(AnySupplyCommand(s));
    EXPECT_EQ(s.CableRunsTip, kCableRunsNeedAnInstallation);

    Ready(1, 0, "2.1 Ah");
    s = states();
    EXPECT_TRUE(s.DeviceList && s.AddDevice && s.SaveAs && s.Report && s.CalculationSheet);
    EXPECT_FALSE(s.EditDevice || s.DeleteDevice || s.Save);
    EXPECT_FALSE(AnySupplyCommand(s));
}

// An installation is saved, reported and sheeted whole, its supplies judged
// or not; Move stops at the ends and the last supply cannot be removed.
TEST_F(CommandsTest, AnInstallationOffersItsCommandsByTheTarget) {
    ASSERT_TRUE(installation->NewInstallation());
    CommandStates s = states();
    EXPECT_TRUE(s.Save && s.SaveAs && s.Report && s.CalculationSheet);
    EXPECT_TRUE(s.AddSupply && s.AddSupplyFromSiteFile && s.Details && s.DuplicateSupply &&
                s.RenameSupply && s.SaveSupplyAsSiteFile && s.CableRuns);
    EXPECT_FALSE(s.RemoveSupply || s.MoveSupplyLeft || s.MoveSupplyRight);
    EXPECT_EQ(s.CableRunsTip, "");

    installation->AddSupply();
    s = states();
    EXPECT_TRUE(s.RemoveSupply && s.MoveSupplyLeft);
    EXPECT_FALSE(s.MoveSupplyRight);
    installation->SetTarget(std::nullopt); // the overview's own row
    s = states();
    EXPECT_TRUE(s.AddSupply);
    EXPECT_FALSE(s.DuplicateSupply || s.RemoveSupply || s.CableRuns);
}

namespace {

class DetailsPrompter : public test::ScriptedPrompter {
public:
    std::string name = "Depot";
    std::int32_t period = 30;
    bool EditDetails(std::string& n, std::string&, std::int32_t&, std::int32_t& p) override {
        n = name;
        p = period;
        return true;
    }
};

} // namespace

// The refusals at a limit say the limit the rule checks.
TEST(LimitsTest, RefusalsSayTheLimit) {
    MemorySettingsStore store;
    DetailsPrompter prompter;
    SiteEditor site(store, prompter);
    InstallationEditor installation(site, prompter);
    ASSERT_TRUE(installation.NewInstallation());
    while (installation.SupplyCount() < kMaxSupplies)
        installation.AddSupply();
    installation.AddSupply();
    prompter.name = std::string(101, 'n');
    installation.Details();
    prompter.name = "Depot";
    prompter.period = 121;
    installation.Details();
    ASSERT_EQ(prompter.asked.size(), 3u);
    EXPECT_EQ(prompter.asked[0].text, "An installation holds at most 32 supplies.");
    EXPECT_EQ(prompter.asked[1].text, "The installation's name and address must each be one line "
                                      "of at most 100 characters a site file can hold.");
    EXPECT_EQ(prompter.asked[2].text, "The alarm period must be 1 to 120 minutes.");
}
