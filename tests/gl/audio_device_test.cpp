// The mixer with a real audio device, on both SDL runtimes: SDL's own thread runs
// the callback. A driver that cannot open leaves the program silent, not broken.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/audio.h"
#include "engine/switches.h"
#include "app/shell.h"
#include "resources/pak.h"
#include "support/gl_fixture.h"
#include "support/test_support.h"

namespace {

// A RIFF WAVE file of 16-bit stereo PCM at 22050 Hz: a quiet square wave.
std::vector<uint8_t> makeStereoWav(int frames) {
    std::vector<uint8_t> w;
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) w.push_back(uint8_t(v >> (8 * i)));
    };
    uint32_t dataBytes = uint32_t(frames) * 4;
    w.insert(w.end(), {'R', 'I', 'F', 'F'});
    put(36 + dataBytes, 4);
    w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(16, 4);
    put(1, 2);
    put(2, 2);
    put(22050, 4);
    put(22050 * 4, 4);
    put(4, 2);
    put(16, 2);
    w.insert(w.end(), {'d', 'a', 't', 'a'});
    put(dataBytes, 4);
    for (int i = 0; i < frames; ++i) {
        uint16_t s = uint16_t((i / 50) % 2 ? 800 : -800);
        put(s, 2);
        put(s, 2);
    }
    return w;
}

AudioChannel channelNow(int i) {
    SDL_LockAudio();
    AudioChannel c = audioState().channels[i];
    SDL_UnlockAudio();
    return c;
}

// Waits, with the lock for every look, until the channel satisfies done.
template <typename Done>
bool waitForChannel(int i, Done done, int timeoutMs = 10000) {
    Uint32 start = SDL_GetTicks();
    while (!done(channelNow(i))) {
        if (SDL_GetTicks() - start > Uint32(timeoutMs)) return false;
        SDL_Delay(5);
    }
    return true;
}

// An archive cached under the same name by an earlier scenario (the sound bank
// never lets its archives go) is set aside while these tests use their own.
struct StashedArchive {
    PakArchive* archive = nullptr;
    std::string name;
    int32_t references = 0;
};

std::vector<StashedArchive> stashArchives(std::initializer_list<const char*> names) {
    std::vector<StashedArchive> stashed;
    for (const char* name : names) {
        for (size_t i = 0; i < pakCache().names.size(); ++i) {
            if (pakCache().names[i] != name) continue;
            stashed.push_back({pakCache().archives[i], pakCache().names[i], pakCache().references[i]});
            pakCache().archives.erase(pakCache().archives.begin() + long(i));
            pakCache().names.erase(pakCache().names.begin() + long(i));
            pakCache().references.erase(pakCache().references.begin() + long(i));
            break;
        }
    }
    return stashed;
}

// Closes the tests' own archives, whatever references the sound bank kept on
// them, then puts the set-aside ones back.
void restoreArchives(const std::vector<StashedArchive>& stashed, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        for (size_t i = 0; i < pakCache().names.size(); ++i) {
            if (pakCache().names[i] != name) continue;
            pakClose(*pakCache().archives[i]);
            delete pakCache().archives[i];
            pakCache().archives.erase(pakCache().archives.begin() + long(i));
            pakCache().names.erase(pakCache().names.begin() + long(i));
            pakCache().references.erase(pakCache().references.begin() + long(i));
            break;
        }
    }
    for (const StashedArchive& s : stashed) {
        pakCache().archives.push_back(s.archive);
        pakCache().names.push_back(s.name);
        pakCache().references.push_back(s.references);
    }
}

class AudioDeviceTest : public ::testing::Test {
protected:
    static std::string folder;

    static void SetUpTestSuite() {
        folder = makeTempDir("qm_audio_device");
        PakArchive sound, music;
        std::vector<uint8_t> effect = makeStereoWav(2205);  // 0.1 s
        std::vector<uint8_t> tune = makeStereoWav(4410);    // 0.2 s, repeated
        pakAddBuffer(sound, "button.wav", effect.data(), effect.size());
        pakAddBuffer(music, "music.wav", tune.data(), tune.size());
        ASSERT_TRUE(pakSave(sound, (folder + "/sound.pak").c_str()));
        ASSERT_TRUE(pakSave(music, (folder + "/music.pak").c_str()));
    }

    void SetUp() override {
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        savedDriver = driver ? driver : "";
        hadDriver = driver != nullptr;
        savedBase = pakCache().baseDirectory;
        pakCache().baseDirectory = folder + "/";
        stashed = stashArchives({"sound.pak", "music.pak"});
        savedSwitches = switches();
        switches() = Switches();
    }

    void TearDown() override {
        if (audioState().mixer) destroyAudioMixer(audioState().mixer);
        switches() = savedSwitches;
        pakCache().baseDirectory = savedBase;
        restoreArchives(stashed, {"sound.pak", "music.pak"});
        if (hadDriver)
            setenv("SDL_AUDIODRIVER", savedDriver.c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
    }

    Switches savedSwitches;
    std::vector<StashedArchive> stashed;
    std::string savedBase, savedDriver;
    bool hadDriver = false;
};

std::string AudioDeviceTest::folder;

TEST_F(AudioDeviceTest, NoUsableDriverLeavesTheProgramSilent) {
    setenv("SDL_AUDIODRIVER", "nosuchdriver", 1);
    AudioMixer* mixer = createAudioMixer();
    ASSERT_NE(mixer, nullptr);
    EXPECT_EQ(audioState().mixer, mixer);
    EXPECT_TRUE(mixer->failed);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);

    playSound("button.wav", false);
    playSound("music.wav", true);
    for (const AudioChannel& c : audioState().channels) {
        EXPECT_EQ(c.length, 0u);
        EXPECT_FALSE(c.looping);
    }
    EXPECT_TRUE(mixer->names.empty());
    destroyAudioMixer(mixer);
    EXPECT_EQ(audioState().mixer, nullptr);
}

TEST_F(AudioDeviceTest, EffectPlaysThroughTheDeviceAndFreesItsChannel) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    AudioMixer* mixer = createAudioMixer();
    ASSERT_FALSE(mixer->failed);
    ASSERT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);

    playSound("button.wav", false);
    AudioChannel started = channelNow(0);
    EXPECT_EQ(started.length, 2205u * 4);
    // SDL's thread mixes it to its end and the channel falls idle by itself.
    EXPECT_TRUE(waitForChannel(0, [](const AudioChannel& c) { return c.position == c.length; }));
    EXPECT_FALSE(channelNow(0).looping);

    // Idle again, the first channel takes the next sound, decoded once only.
    playSound("button.wav", false);
    EXPECT_EQ(channelNow(0).data, started.data);
    EXPECT_EQ(mixer->names.size(), 1u);
}

TEST_F(AudioDeviceTest, MusicRepeatsUntilItIsSwitchedOff) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    AudioMixer* mixer = createAudioMixer();
    ASSERT_FALSE(mixer->failed);

    playSound("music.wav", true);
    const uint32_t length = 4410 * 4;
    // Past its end and round again: the position comes back below where it was.
    EXPECT_TRUE(waitForChannel(0, [&](const AudioChannel& c) { return c.position == length; }));
    EXPECT_TRUE(waitForChannel(0, [&](const AudioChannel& c) { return c.position < length; }));
    EXPECT_TRUE(channelNow(0).looping);

    switches().musicOn = false;
    EXPECT_TRUE(waitForChannel(0, [](const AudioChannel& c) { return !c.looping; }));
    AudioChannel stopped = channelNow(0);
    EXPECT_EQ(stopped.position, stopped.length);
}

// A sound plays from its own converted copy: the archive it came from is let
// go once it is read, so the music's archive never stays beside the music.
TEST_F(AudioDeviceTest, PlayingSoundsHoldNoArchive) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    AudioMixer* mixer = createAudioMixer();
    ASSERT_FALSE(mixer->failed);
    auto open = [](const char* name) {
        return std::find(pakCache().names.begin(), pakCache().names.end(), name) != pakCache().names.end();
    };
    playSound("music.wav", true);
    playSound("button.wav", false);
    EXPECT_FALSE(open("music.pak"));
    EXPECT_FALSE(open("sound.pak"));
    ASSERT_EQ(mixer->names.size(), 2u);
    // Round again after its end, from the copy alone.
    const uint32_t length = 4410 * 4;
    EXPECT_TRUE(waitForChannel(0, [&](const AudioChannel& c) { return c.position == length; }));
    EXPECT_TRUE(waitForChannel(0, [&](const AudioChannel& c) { return c.position < length; }));
    // Played again, the effect is the copy decoded the first time, with no archive opened.
    EXPECT_TRUE(waitForChannel(1, [](const AudioChannel& c) { return c.position == c.length; }));
    playSound("button.wav", false);
    EXPECT_EQ(mixer->names.size(), 2u);
    EXPECT_FALSE(open("sound.pak"));
}

TEST_F(AudioDeviceTest, ClosingTheDeviceLeavesNothingPlaying) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    AudioMixer* mixer = createAudioMixer();
    ASSERT_FALSE(mixer->failed);
    playSound("music.wav", true);
    playSound("button.wav", false);
    destroyAudioMixer(mixer);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    for (const AudioChannel& c : audioState().channels) {
        EXPECT_EQ(c.data, nullptr);
        EXPECT_FALSE(c.looping);
    }
    // A second mixer opens the device again.
    AudioMixer* again = createAudioMixer();
    EXPECT_FALSE(again->failed);
}

// The whole program on the generated archives, started as it really starts.
class ProgramAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        hadDriver = driver != nullptr;
        savedDriver = driver ? driver : "";
    }
    void TearDown() override {
        shutDownForTest();
        if (hadDriver)
            setenv("SDL_AUDIODRIVER", savedDriver.c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
    }
    std::string savedDriver;
    bool hadDriver = false;
};

TEST_F(ProgramAudioTest, RunsSilentlyWithoutAnAudioDevice) {
    setenv("SDL_AUDIODRIVER", "nosuchdriver", 1);
    ASSERT_TRUE(startUpForTest(""));
    ASSERT_NE(audioState().mixer, nullptr);
    EXPECT_TRUE(audioState().mixer->failed);
    EXPECT_TRUE(switches().musicOn);  // asked for, but there is nothing to play it on
    for (int pass = 0; pass < 20 && running(); ++pass) runOnePass();
    EXPECT_TRUE(running());
    for (const AudioChannel& c : audioState().channels) {
        EXPECT_EQ(c.length, 0u);
        EXPECT_FALSE(c.looping);
    }
}

TEST_F(ProgramAudioTest, StartsTheMusicOnAFreshStart) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(startUpForTest(""));
    ASSERT_FALSE(audioState().mixer->failed);
    // Read and made ready after the first frame, not before it.
    EXPECT_EQ(channelNow(0).length, 0u);
    EXPECT_TRUE(audioState().mixer->names.empty());
    for (int pass = 0; pass < 5 && running(); ++pass) runOnePass();
    AudioChannel music = channelNow(0);
    EXPECT_TRUE(music.looping);
    EXPECT_GT(music.length, 22050u * 4);  // longer than a second
}

}  // namespace
