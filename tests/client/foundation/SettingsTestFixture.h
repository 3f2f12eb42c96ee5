// A settings test: a scratch Dat folder, the program-wide settings at their defaults, no
// links to other windows, and every error report collected.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <array>

#include "ClientLinks.h"
#include "OptionMenuItems.h"
#include "ProgramSettings.h"
#include "WinTestSupport.h"
#include "runtime/ErrorGuard.h"

struct CollectedReport {
    std::string module;
    std::string procedure;
    int32_t number;
};

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedDatPath_ = skx::DatPath;
        savedAccessCode_ = skx::AccessCode;
        skx::DatPath = dir_.Path() + "\\";
        skx::AccessCode = 1124073472;
        skx::SetDefaultSettings();
        // The window links go; the main window's option items (when linked) stay.
        savedLinks_ = skx::ClientLinks();
        skx::ClientLinks().ChatBar = nullptr;
        skx::ClientLinks().MapDisp = nullptr;
        skx::ClientLinks().Game = nullptr;
        skx::ClientLinks().ChatSplitter = nullptr;
        for (int i = 0; i < static_cast<int>(skx::MenuOption::Count); ++i) {
            savedChecks_[static_cast<size_t>(i)] = skx::MenuChecked(static_cast<skx::MenuOption>(i));
            skx::SetMenuChecked(static_cast<skx::MenuOption>(i), false);
        }
        Reports().clear();
        savedHook_ = skx::GetReportErrorHook();
        skx::SetReportErrorHook(&Collect);
    }
    void TearDown() override {
        skx::SetReportErrorHook(savedHook_);
        skx::ClientLinks() = savedLinks_;
        for (int i = 0; i < static_cast<int>(skx::MenuOption::Count); ++i)
            skx::SetMenuChecked(static_cast<skx::MenuOption>(i), savedChecks_[static_cast<size_t>(i)]);
        skx::DatPath = savedDatPath_;
        skx::AccessCode = savedAccessCode_;
    }

    std::string GameDatPath() const { return dir_.File("Game.DAT"); }
    std::string ButtonsDatPath() const { return dir_.File("Buttons.DAT"); }
    std::string MusicDatPath() const { return dir_.File("GameMusic.DAT"); }

    // Writes Game.DAT as the given text (lines joined with CR LF).
    void WriteGameDat(const std::vector<std::string>& lines) const {
        std::string text;
        for (const auto& l : lines) text += l + "\r\n";
        ASSERT_TRUE(testsupport::WriteFileBytes(GameDatPath(), text));
    }
    std::string FileText(const std::string& path) const { return testsupport::ReadFileBytes(path).value_or(""); }

    static std::vector<CollectedReport>& Reports() {
        static std::vector<CollectedReport> reports;
        return reports;
    }

    testsupport::ScratchDir dir_{"settings"};

private:
    static void Collect(const std::string& module, const std::string& procedure, int16_t, int32_t number,
                        const std::string&) {
        Reports().push_back({module, procedure, number});
    }
    std::string savedDatPath_;
    int32_t savedAccessCode_ = 0;
    skx::ReportErrorHook savedHook_ = nullptr;
    skx::ClientLinkTable savedLinks_;
    std::array<bool, static_cast<size_t>(skx::MenuOption::Count)> savedChecks_{};
};
