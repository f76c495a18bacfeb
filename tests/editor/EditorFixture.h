#pragma once

#include "ScriptedPrompter.h"
#include "editor/SiteEditor.h"
#include "model/Globals.h"

#include <gtest/gtest.h>

#include <memory>

namespace brellic::test {

// A site editor over an in-memory settings store and scripted answers.
class EditorTest : public testing::Test {
protected:
    MemorySettingsStore store;
    ScriptedPrompter prompter;
    std::unique_ptr<SiteEditor> editor;

    void SetUp() override { Start(); }

    void Start() { editor = std::make_unique<SiteEditor>(store, prompter); }

    const Controls& view() const { return editor->View(); }
    const SiteState& site() const { return editor->Site(); }
    const DisplayTexts& texts() const { return editor->Texts(); }

    void ChooseGrade(int grade) { editor->GradeChanged(grade - 1, Origin::User); }

    void ChoosePanel(int row) {
        const auto& items = view().PanelItems;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] == PanelTable[static_cast<std::size_t>(row)].Name) {
                editor->PanelChanged(static_cast<int>(i), Origin::User);
                return;
            }
        }
        FAIL() << "panel row " << row << " is not offered at grade " << site().SystemGrade;
    }

    void ChooseBattery(std::string_view text) {
        const auto& items = view().BatteryItems;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] == text) {
                editor->BatteryChanged(static_cast<int>(i), Origin::User);
                return;
            }
        }
        FAIL() << "battery " << text << " is not offered";
    }

    // A ready site: grade, panel and battery chosen.
    void Ready(int grade, int panel, std::string_view battery) {
        ChooseGrade(grade);
        ChoosePanel(panel);
        ChooseBattery(battery);
    }

    // Adds a device through the dialog's rules, choosing a catalogue row by
    // name or "Custom" with per-unit currents.
    void AddCatalogue(std::string_view name, int qty = 1) {
        editor->btnAddClick([&](DeviceDialog& dialog) {
            for (std::size_t i = 0; i < dialog.Rows().size(); ++i) {
                if (dialog.Rows()[i].starts_with(std::string(name) + "\t"))
                    dialog.SelectRow(static_cast<int>(i));
            }
            dialog.SetQuantity(qty);
            return true;
        });
    }
    void AddCustom(const std::string& description, int qty, double quiescent, double alarm) {
        editor->btnAddClick([&](DeviceDialog& dialog) {
            dialog.SelectRow(dialog.CustomIndex());
            dialog.SetCustomDescription(description);
            dialog.SetQuantity(qty);
            dialog.SetCustomQuiescent(quiescent);
            dialog.SetCustomAlarm(alarm);
            return true;
        });
    }
};

} // namespace brellic::test
