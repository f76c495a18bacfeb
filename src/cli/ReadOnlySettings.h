#pragma once

#include "editor/Settings.h"

#include <memory>

namespace brellic {

// Lets the stored settings be read but never changed: Write does nothing and
// reports failure. Everything else goes to the wrapped store.
class ReadOnlySettingsStore final : public SettingsStore {
public:
    explicit ReadOnlySettingsStore(std::unique_ptr<SettingsStore> store);

    bool Open() override;
    ReadResult Read(std::string_view name, std::int32_t& value) override;
    bool Write(std::string_view name, std::int32_t value) override;
    void Close() override;
    std::string FailureMessage() const override;

private:
    std::unique_ptr<SettingsStore> store_;
};

// The settings the window loads, opened read only. Opening creates no file,
// folder or key either.
std::unique_ptr<SettingsStore> CreateStoredSettingsReader();

} // namespace brellic
