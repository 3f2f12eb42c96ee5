#include <gtest/gtest.h>

#include "../foundation/BoxDriver.h"
#include "ArenaTestSupport.h"
#include "DirectSoundOutput.h"
#include "DirectXObjects.h"
#include "RecordingSound.h"

using namespace skx;
using namespace std::string_literals;
using Log = decltype(viewtest::RecordingSound::log);
using Numbers = std::vector<int32_t>;

namespace {

std::optional<WaveSound> Parse(const std::string& file) {
    return ParseWave({reinterpret_cast<const uint8_t*>(file.data()), file.size()});
}

class Sounds : public viewtest::ArenaTest {  // its record of the errors reported
protected:
    void TearDown() override { ReleaseDirectX(), ArenaTest::TearDown(); }
    viewtest::RecordedSounds sounds;
};

}  // namespace

TEST(WaveFile, ReadsPastOddChunksAndRefusesDamagedFiles) {
    // An odd chunk with its pad byte, "fmt " (PCM, mono, 8000 Hz, 16 bits) at 24, five bytes of data.
    const std::string good = "RIFF\x36\0\0\0WAVELIST\3\0\0\0odd\0fmt \x10\0\0\0\1\0\1\0\x40\x1f\0\0\x80\x3e\0\0\2\0\x10\0"
                             "data\5\0\0\0abcde\0"s;
    const std::optional<WaveSound> wave = Parse(good);
    ASSERT_TRUE(wave);  // whole sample frames only
    EXPECT_EQ(std::tuple(std::string(wave->Samples.begin(), wave->Samples.end()), wave->Format.SamplesPerSec),
              std::tuple("abcd", 8000u));
    std::string pastEnd = good, noFormat = good, notPcm = good;
    pastEnd[52] = 7, noFormat[27] = 'x', notPcm[32] = 3;  // data size 7 with 6 bytes left, "fmtx", format 3
    for (const std::string& bad : {good.substr(0, 11), good.substr(0, 61), pastEnd, noFormat, notPcm})
        EXPECT_FALSE(Parse(bad));
}

TEST_F(Sounds, SoundOnGatesOnlyTheStartsBadIndexesAreReportedAndNoDeviceIsSilent) {
    ASSERT_TRUE(LoadSounds() && LoadBkgrndSounds());
    PlaySound(THUNDER), PlayBkgrndSound(RAIN), SoundOn = true;  // what started silently stays silent
    StopBkgrndSound(RAIN), PlaySound(13), PlaySound(-1), StopBkgrndSound(2);
    EXPECT_EQ(std::pair(sounds.ambience.log, sounds.effects.log), std::pair(Log{{"RAIN", "stop"}, {"RAIN", "at 0"}}, Log{}));
    EXPECT_EQ(errors, (Numbers{9, 9, 9}));
    UnloadSounds(), UnloadBkgrndSounds(), SetSoundOutputs(nullptr, nullptr);  // no device: silence, no boxes
    EXPECT_TRUE(LoadSounds() && LoadBkgrndSounds());
    PlaySound(STEP), PlaySound(13), PlayBkgrndSound(WIND), StopBkgrndSound(WIND);
    EXPECT_FALSE(EffectBuffers[STEP] || AmbienceBuffers[WIND]);
    EXPECT_EQ(errors.size(), 3u);
}

TEST_F(Sounds, MissingBuffersAreShownAndReportedWhenPlayedUnreadableSoundsFailTheLoad) {
    sounds.effects.missing = {"THROW"};
    std::string shown;
    boxtest::Driver driver({[&] {
        frmMsgBox* box = boxtest::FindBox("Error");
        if (!box || !IsWindowVisible(box->Handle())) return false;
        shown = boxtest::TextOf(box->MessageLabel());
        return PostMessageA(box->Button(0), BM_CLICK, 0, 0) != 0;
    }});
    EXPECT_TRUE(LoadSounds());
    EXPECT_EQ(shown, "Unable to load the audio file id: 8");
    SoundOn = true, PlaySound(THROW);
    SetSoundModule(nullptr);  // this test program carries no sounds
    EXPECT_FALSE(LoadBkgrndSounds());
    EXPECT_EQ(errors, (Numbers{91, 326}));
}

TEST_F(Sounds, DirectSoundPlaysAnEffectOnceAtATimeAndLoopsTheAmbience) {
    HWND window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(InitDirectX(window) && SoundDevice && AmbienceDevice);
    SetSoundOutputs(nullptr, nullptr);
    ASSERT_TRUE(LoadSounds() && LoadBkgrndSounds());
    for (const auto& b : EffectBuffers) EXPECT_TRUE(b && AmbienceBuffers[RAIN] && AmbienceBuffers[WIND]);
    auto& step = dynamic_cast<DirectSoundBuffer&>(*EffectBuffers[STEP]);
    auto& rain = dynamic_cast<DirectSoundBuffer&>(*AmbienceBuffers[RAIN]);
    SoundOn = true, PlaySound(STEP);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return step.Position() > 0; }, 100));
    const DWORD reached = step.Position();
    PlaySound(STEP);  // goes on from where it is
    EXPECT_TRUE(step.Playing() && step.Position() >= reached);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !step.Playing(); }, 2000));
    PlaySound(STEP), PlayBkgrndSound(RAIN);
    EXPECT_TRUE(step.Playing());
    EXPECT_EQ(rain.Status() & (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING), DWORD{DSBSTATUS_PLAYING | DSBSTATUS_LOOPING});
    StopBkgrndSound(RAIN);
    EXPECT_EQ(std::pair(rain.Playing(), rain.Position()), std::pair(false, DWORD{0}));
    EXPECT_TRUE(errors.empty());
    DestroyWindow(window);
}
