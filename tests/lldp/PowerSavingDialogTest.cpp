// "Power Saving Settings" against the simulated switch: the model rules, the
// profile boxes filled when the name walk ends, and each function's one set.

#include "core/system/PowerSavingLogic.h"
#include "ui/kit/GridListView.h"
#include "ui/system/CPowerSavingDlg.h"
#include "tests/support/DialogHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace kxtest;
using namespace kx::powersaving;

namespace {

QStringList Items(QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

class PowerSavingDialog : public SimSuite<>
{
protected:
    static std::unique_ptr<CPowerSavingDlg> Open()
    {
        auto dlg = harness->open<CPowerSavingDlg>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    // Chooses a function and state, types the ports, applies; the sets' bindings.
    static std::vector<std::string> Apply(QWidget* d, const char* type, const char* state, const char* ports)
    {
        DialogHarness::choose(d, "Type", type);
        DialogHarness::choose(d, "State", state);
        DialogHarness::type(d, "Port", ports);
        harness->sim().clearLog();
        DialogHarness::click(d, "Advanced Power Saving Settings Apply");
        return SetBindings(harness->sim());
    }
};

TEST_F(PowerSavingDialog, OnTheA1ModelThreeFunctionsAndLateProfileNamesStillArrive)
{
    harness->sim().control("fault add " + KxSimFixture::Private("32.1.1") + " delay 1000");
    auto dlg = Open();
    EXPECT_EQ(Items(DialogHarness::find<QComboBox>(dlg.get(), "Type")),
              (QStringList{"LED Shut-off", "Port Shut-off", "System Hibernation"}));
    auto* global = dlg->findChild<QGroupBox*>();
    ASSERT_NE(global, nullptr);
    EXPECT_EQ(global->title(), "Global Settings");
    EXPECT_TRUE(global->isHidden());
    for (const char* box : {"Time Profile1", "Time Profile2"})
        EXPECT_EQ(Items(DialogHarness::find<QComboBox>(dlg.get(), box)), (QStringList{"None", "Office"})) << box;
    auto* list = DialogHarness::find<kx::GridListView>(dlg.get(), "Summary");
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->cellText(0, 0), "LED_Shutoff");
    EXPECT_EQ(list->cellText(0, 1), "Disabled");
    EXPECT_EQ(list->cellText(0, 4), "None");
    EXPECT_EQ(list->cellText(2, 0), "System_Hibernation");
    EXPECT_EQ(list->cellText(2, 4), "All Port");
}

TEST_F(PowerSavingDialog, EachFunctionSendsOneSetInItsOrder)
{
    auto dlg = Open();
    EXPECT_EQ(Apply(dlg.get(), "LED Shut-off", "Enabled", "1-4,6"),
              (std::vector<std::string>{"31.1.2.0=1", "31.1.1.0=f4000000", "31.1.3.0=", "31.1.4.0="}));
    EXPECT_EQ(harness->sim().value(KxSimFixture::Private("31.1.2.0")), "1");
    auto* list = DialogHarness::find<kx::GridListView>(dlg.get(), "Summary");
    EXPECT_EQ(list->cellText(0, 1), "Enabled");
    EXPECT_EQ(list->cellText(0, 4), "1-4,6");

    // Disabling sends the state alone: the ports stay on the device.
    EXPECT_EQ(Apply(dlg.get(), "LED Shut-off", "Disabled", "1"), std::vector<std::string>{"31.1.2.0=2"});
    EXPECT_EQ(list->cellText(0, 4), "1-4,6");

    EXPECT_EQ(Apply(dlg.get(), "System Hibernation", "Enabled", ""),
              (std::vector<std::string>{"31.4.1.0=1", "31.4.2.0=", "31.4.3.0="}));
    EXPECT_FALSE(DialogHarness::find(dlg.get(), "Port")->isEnabled());

    harness->prompter().clear();
    EXPECT_TRUE(Apply(dlg.get(), "Port Shut-off", "Enabled", "1;4").empty());
    EXPECT_EQ(harness->prompter().texts(), QStringList{kInvalidPortlist});
}

TEST_F(PowerSavingDialog, OtherModelsShowTheGlobalSwitchesAndRefuseFibrePortsOverV3)
{
    harness->useVersion3("sha256aes");
    harness->sim().control("set " + KxSimFixture::Private("31.5.0 i W 1"));
    harness->useDevice("KX-E1  R2", 8);
    auto dlg = Open();
    EXPECT_FALSE(dlg->findChild<QGroupBox*>()->isHidden());
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "Type")->count(), 4);
    EXPECT_TRUE(DialogHarness::find<QCheckBox>(dlg.get(), "Enable Cable Length Detection")->isChecked());
    EXPECT_FALSE(DialogHarness::find<QCheckBox>(dlg.get(), "Enable Link Status Detection")->isChecked());
    auto* list = DialogHarness::find<kx::GridListView>(dlg.get(), "Summary");
    ASSERT_EQ(list->rowCount(), 4);
    EXPECT_EQ(list->cellText(3, 0), "Port_Standby");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Global Settings Apply");
    EXPECT_EQ(SetBindings(harness->sim()), (std::vector<std::string>{"31.5.0=1", "31.6.0=2"}));
    EXPECT_EQ(harness->sim().value(KxSimFixture::Private("31.6.0")), "2");

    harness->useDevice("KX-F1", 24);
    auto f1 = Open();
    harness->prompter().clear();
    EXPECT_TRUE(Apply(f1.get(), "LED Shut-off", "Enabled", "17").empty());
    EXPECT_EQ(harness->prompter().texts(), QStringList{kNotFiber});
}

TEST(PowerSavingLogic, ModelRulesTypeCodesAndRefusals)
{
    EXPECT_EQ(ReadOids("KX-E1  R2").size(), 17);
    EXPECT_EQ(ReadOids("KX-E1 R2").size(), 17);
    EXPECT_EQ(ReadOids("KX-A1 R2").size(), 11);
    EXPECT_TRUE(HasGlobalSettings("KX-F1"));
    EXPECT_EQ(TypeTexts("KX-F1").size(), 4);
    EXPECT_EQ((std::vector<int>{TypeAt(0), TypeAt(1), TypeAt(2), TypeAt(3)}), (std::vector<int>{1, 2, 4, 3}));

    struct Case
    {
        const char* model;
        int position;
        const char* ports;
        QString refusal;
        std::size_t bindings;
    };
    const Case cases[] = {
        {"KX-F1", 0, "17", kNotFiber, 0},
        {"KX-F1", 3, "16", {}, 4},
        {"KX-F1", 1, "17", {}, 4}, // port shut-off takes the fibre ports
        {"KX-G1", 3, "25", kNotFiber, 0},
        {"KX-G1", 0, "24", {}, 4},
        {"KX-F1", 0, "a", kInvalidPortlist, 0},
        {"KX-F1", 0, "29", kInvalidPortlist, 0},
    };
    for (const Case& c : cases) {
        const ApplyDecision d = DecideApply({c.position, true, c.ports, kNone, "Office"}, c.model, 28);
        EXPECT_EQ(d.refusal, c.refusal) << c.model << " " << c.ports;
        EXPECT_EQ(d.bindings.size(), c.bindings) << c.model << " " << c.ports;
    }
    // Standby: state, profiles, ports; "None" stays a name outside the listed models.
    const ApplyDecision standby = DecideApply({3, true, "2", kNone, kNone}, "KX-F1", 28);
    ASSERT_EQ(standby.bindings.size(), 4u);
    EXPECT_EQ(standby.bindings[1].value, "None");
    EXPECT_EQ(standby.bindings[3].oid, FunctionOid(PortStandby, 1));
    EXPECT_EQ(DecideApply({3, true, "2", kNone, kNone}, "KX-E1  R2", 28).bindings[1].value, "");
}

} // namespace
