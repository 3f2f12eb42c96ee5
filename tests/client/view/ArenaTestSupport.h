// A fresh arena for each test with the error numbers handed to the reporter and a check that
// nothing was written beside a grid or table; view services that record what was asked of them.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArenaModel.h"
#include "ProgramSettings.h"
#include "ViewServices.h"
#include "runtime/ErrorGuard.h"

namespace viewtest {

class ArenaTest : public ::testing::Test {
protected:
    void SetUp() override {
        skx::SetupArrays();
        for (skx::PlayerRecord& p : skx::Players) p = skx::PlayerRecord{};
        errors.clear();
        skx::SetReportErrorHook([](const std::string&, const std::string&, int16_t, int32_t n, const std::string&) {
            errors.push_back(n);
        });
    }
    void TearDown() override {
        skx::SetReportErrorHook(nullptr);
        EXPECT_TRUE(skx::ArenaFencesIntact());
    }
    static inline std::vector<int32_t> errors;
};

class RecordingView : public skx::ViewServices {
public:
    RecordingView() { skx::SetViewServices(this); }
    ~RecordingView() override { skx::SetViewServices(nullptr); }
    std::vector<std::string> calls;

    void PlaySound(int16_t i) override { calls.push_back("PlaySound " + std::to_string(i)); }
    void PlayBkgrndSound(int16_t i) override { calls.push_back("PlayBkgrndSound " + std::to_string(i)); }
    void StopBkgrndSound(int16_t i) override { calls.push_back("StopBkgrndSound " + std::to_string(i)); }
    void SetAtmosphere(uint8_t mode) override { calls.push_back("SetAtmosphere " + std::to_string(mode)); }
    void InitRain() override { calls.push_back("InitRain"), skx::RainOn = true; }
    void UninitRain() override { calls.push_back("UninitRain"), skx::RainOn = false; }
    void InitSnow() override { calls.push_back("InitSnow"), skx::SnowOn = true; }
    void UninitSnow() override { calls.push_back("UninitSnow"), skx::SnowOn = false; }
    void InitLightning() override { calls.push_back("InitLightning"), skx::LightningOn = true; }
    void UninitLightning() override { calls.push_back("UninitLightning"), skx::LightningOn = false; }
    void BotScan(const std::string& d) override { calls.push_back("BotScan " + d); }
    void PlayerScan(const std::string& d) override { calls.push_back("PlayerScan " + d); }
};

}  // namespace viewtest
