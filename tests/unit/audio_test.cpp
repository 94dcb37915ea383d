// The mixer driven without an audio device: playSound fills the channel table and
// the tests call mixCallback on a buffer themselves, one SDL callback at a time.
// With no device open SDL_MixAudio mixes signed 16-bit samples, the output format.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/audio.h"
#include "engine/switches.h"
#include "resources/pak.h"
#include "support/test_support.h"

namespace {

const int kCallbackBytes = 512 * 4;  // 512 stereo frames of 16-bit samples

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// A RIFF WAVE file of 16-bit PCM samples, interleaved when stereo.
std::vector<uint8_t> makeWav(int rate, int channels, const std::vector<int16_t>& samples) {
    std::vector<uint8_t> w;
    uint32_t dataBytes = uint32_t(samples.size() * 2);
    w.insert(w.end(), {'R', 'I', 'F', 'F'});
    put32(w, 36 + dataBytes);
    w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(w, 16);
    put16(w, 1);  // PCM
    put16(w, uint32_t(channels));
    put32(w, uint32_t(rate));
    put32(w, uint32_t(rate * channels * 2));
    put16(w, uint32_t(channels * 2));
    put16(w, 16);
    w.insert(w.end(), {'d', 'a', 't', 'a'});
    put32(w, dataBytes);
    for (int16_t s : samples) put16(w, uint16_t(s));
    return w;
}

// Stereo frames whose left and right samples differ and change with the frame, so
// that a wrong offset, order or rewind shows up.
std::vector<int16_t> stereoRamp(int frames, int16_t base) {
    std::vector<int16_t> s;
    for (int i = 0; i < frames; ++i) {
        s.push_back(int16_t(base + i % 997));
        s.push_back(int16_t(-base - i % 991));
    }
    return s;
}

std::vector<int16_t> samplesOf(const std::vector<uint8_t>& stream, size_t fromByte, size_t bytes) {
    std::vector<int16_t> s(bytes / 2);
    std::memcpy(s.data(), stream.data() + fromByte, bytes);
    return s;
}

std::vector<int16_t> slice(const std::vector<int16_t>& s, size_t fromByte, size_t bytes) {
    return std::vector<int16_t>(s.begin() + long(fromByte / 2), s.begin() + long((fromByte + bytes) / 2));
}

bool silent(const std::vector<uint8_t>& stream, size_t fromByte) {
    for (size_t i = fromByte; i < stream.size(); ++i)
        if (stream[i] != 0) return false;
    return true;
}

// Runs one callback over a buffer that starts out as noise.
std::vector<uint8_t> mixOnce(int bytes = kCallbackBytes) {
    std::vector<uint8_t> stream(size_t(bytes), 0x5a);
    mixCallback(nullptr, stream.data(), bytes);
    return stream;
}

bool sameChannel(const AudioChannel& a, const AudioChannel& b) {
    return a.data == b.data && a.position == b.position && a.length == b.length && a.looping == b.looping;
}

const std::vector<int16_t> kClick = stereoRamp(300, 1000);   // 1200 bytes: less than a callback
const std::vector<int16_t> kLong = stereoRamp(5000, 3000);   // 20000 bytes: several callbacks
const std::vector<int16_t> kMusic = stereoRamp(700, 2000);   // 2800 bytes: one callback and a bit
const std::vector<int16_t> kLoud(2 * 600, int16_t(20000));

class AudioMixerTest : public ::testing::Test {
protected:
    static std::string folder;
    static std::string emptyFolder;

    static void SetUpTestSuite() {
        folder = makeTempDir("qm_audio");
        emptyFolder = makeTempDir("qm_audio_none");
        ASSERT_FALSE(folder.empty());

        PakArchive sound;
        auto add = [&](PakArchive& pak, const char* name, const std::vector<uint8_t>& bytes) {
            pakAddBuffer(pak, name, bytes.data(), bytes.size());
        };
        add(sound, "click.wav", makeWav(22050, 2, kClick));
        add(sound, "long.wav", makeWav(22050, 2, kLong));
        add(sound, "loud.wav", makeWav(22050, 2, kLoud));
        std::vector<int16_t> mono;
        for (int i = 0; i < 100; ++i) mono.push_back(int16_t(500 + 37 * i));
        add(sound, "mono11k.wav", makeWav(11025, 1, mono));
        const char junk[] = "this is not a wave file at all";
        add(sound, "junk.wav", std::vector<uint8_t>(junk, junk + sizeof junk));
        // Both are refused before conversion: classic SDL's converter would run
        // its filter list past its end on either.
        add(sound, "onehertz.wav", makeWav(1, 2, stereoRamp(50, 10)));
        add(sound, "nochannels.wav", makeWav(22050, 0, stereoRamp(50, 10)));
        add(sound, "empty.wav", makeWav(22050, 2, {}));
        add(sound, "truncated.wav", [] {
            std::vector<uint8_t> w = makeWav(22050, 2, kClick);
            w.resize(30);
            return w;
        }());
        // A chunk of odd length (padded) between the format and the samples.
        add(sound, "listed.wav", [] {
            std::vector<uint8_t> w = makeWav(22050, 2, kClick);
            const uint8_t list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
            w.insert(w.begin() + 36, list, list + sizeof list);
            w[4] = uint8_t(w[4] + sizeof list);
            return w;
        }());
        ASSERT_TRUE(pakSave(sound, (folder + "/sound.pak").c_str()));

        PakArchive music;
        add(music, "music.wav", makeWav(22050, 2, kMusic));
        ASSERT_TRUE(pakSave(music, (folder + "/music.pak").c_str()));
    }

    void SetUp() override {
        pakCloseAll();
        savedBase = pakCache().baseDirectory;
        pakCache().baseDirectory = folder + "/";
        savedSwitches = switches();
        switches() = Switches();
        for (AudioChannel& c : audioState().channels) c = AudioChannel{};
        // Not opened: the callback is driven by the test, not by SDL's thread.
        audioState().mixer = new AudioMixer;
    }

    void TearDown() override {
        destroyAudioMixer(audioState().mixer);
        EXPECT_EQ(audioState().mixer, nullptr);
        switches() = savedSwitches;
        pakCloseAll();
        pakCache().baseDirectory = savedBase;
    }

    Switches savedSwitches;
    std::string savedBase;
};

std::string AudioMixerTest::folder;
std::string AudioMixerTest::emptyFolder;

TEST_F(AudioMixerTest, EffectMixesOnceAndFreesItsChannel) {
    playSound("click.wav", false);
    ASSERT_EQ(audioState().channels[0].length, 1200u);
    EXPECT_EQ(audioState().channels[0].position, 0u);
    EXPECT_FALSE(audioState().channels[0].looping);

    std::vector<uint8_t> first = mixOnce();
    EXPECT_EQ(samplesOf(first, 0, 1200), kClick);
    EXPECT_TRUE(silent(first, 1200));
    EXPECT_EQ(audioState().channels[0].position, audioState().channels[0].length);
    EXPECT_FALSE(audioState().channels[0].looping);

    EXPECT_TRUE(silent(mixOnce(), 0));
}

// A sound already in the output format plays from the file's own bytes, which
// the mixer took from the archive: no copy, and the archive is let go.
TEST_F(AudioMixerTest, SoundsInTheOutputFormatPlayFromTheirOwnBytes) {
    playSound("listed.wav", false);
    ASSERT_EQ(audioState().mixer->files.size(), 1u);
    const std::vector<uint8_t>& file = audioState().mixer->files[0];
    ASSERT_EQ(audioState().channels[0].length, 1200u);
    EXPECT_EQ(audioState().channels[0].data, file.data() + file.size() - 1200);
    EXPECT_EQ(samplesOf(mixOnce(), 0, 1200), kClick);
    EXPECT_TRUE(pakCache().names.empty());
    // One that needs converting is the mixer's own copy (on the channel the first one left).
    playSound("mono11k.wav", false);
    ASSERT_EQ(audioState().mixer->files.size(), 2u);
    EXPECT_TRUE(audioState().mixer->files[1].empty());
    EXPECT_EQ(audioState().channels[0].data, audioState().mixer->converted[1].buf);
}

TEST_F(AudioMixerTest, LongEffectContinuesAcrossCallbacks) {
    playSound("long.wav", false);
    size_t mixed = 0;
    while (mixed < 20000) {
        std::vector<uint8_t> out = mixOnce();
        size_t n = std::min<size_t>(kCallbackBytes, 20000 - mixed);
        ASSERT_EQ(samplesOf(out, 0, n), slice(kLong, mixed, n)) << "at byte " << mixed;
        mixed += n;
    }
    EXPECT_EQ(audioState().channels[0].position, 20000u);
    EXPECT_TRUE(silent(mixOnce(), 0));
}

TEST_F(AudioMixerTest, MusicLoopsAndRewindsAtTheNextCallback) {
    playSound("music.wav", true);
    ASSERT_EQ(audioState().channels[0].length, 2800u);
    ASSERT_TRUE(audioState().channels[0].looping);

    std::vector<uint8_t> first = mixOnce();
    EXPECT_EQ(samplesOf(first, 0, kCallbackBytes), slice(kMusic, 0, kCallbackBytes));

    // The end of the music, then silence for the rest of this buffer: the rewind
    // waits for the next callback.
    std::vector<uint8_t> second = mixOnce();
    EXPECT_EQ(samplesOf(second, 0, 752), slice(kMusic, kCallbackBytes, 752));
    EXPECT_TRUE(silent(second, 752));
    EXPECT_EQ(audioState().channels[0].position, audioState().channels[0].length);
    EXPECT_TRUE(audioState().channels[0].looping);

    std::vector<uint8_t> third = mixOnce();
    EXPECT_EQ(samplesOf(third, 0, kCallbackBytes), slice(kMusic, 0, kCallbackBytes));
    EXPECT_EQ(audioState().channels[0].position, uint32_t(kCallbackBytes));

    // A looping channel stays busy: an effect goes to the next channel.
    playSound("click.wav", false);
    EXPECT_EQ(audioState().channels[1].length, 1200u);
}

TEST_F(AudioMixerTest, SwitchingMusicOffSilencesItWithinOneCallback) {
    playSound("music.wav", true);
    mixOnce();
    switches().musicOn = false;
    EXPECT_TRUE(silent(mixOnce(), 0));
    EXPECT_FALSE(audioState().channels[0].looping);
    EXPECT_EQ(audioState().channels[0].position, audioState().channels[0].length);

    // Switching it on again does not bring it back by itself.
    switches().musicOn = true;
    EXPECT_TRUE(silent(mixOnce(), 0));
}

TEST_F(AudioMixerTest, MusicStartedWithMusicOffStopsAtTheNextCallback) {
    switches().musicOn = false;
    playSound("music.wav", true);  // soundOn lets the request through
    ASSERT_TRUE(audioState().channels[0].looping);
    EXPECT_TRUE(silent(mixOnce(), 0));
    EXPECT_FALSE(audioState().channels[0].looping);
}

TEST_F(AudioMixerTest, TheSwitchesDecideWhatMayStart) {
    switches().soundOn = false;
    playSound("click.wav", false);
    EXPECT_EQ(audioState().channels[0].length, 0u);
    playSound("music.wav", true);  // music still starts with effects off
    EXPECT_EQ(audioState().channels[0].length, 2800u);

    for (AudioChannel& c : audioState().channels) c = AudioChannel{};
    switches().musicOn = false;
    playSound("music.wav", true);
    EXPECT_EQ(audioState().channels[0].length, 0u);
    EXPECT_TRUE(audioState().mixer->names.size() == 1);  // only the music was ever loaded
}

TEST_F(AudioMixerTest, FourthRequestWithThreeChannelsBusyIsDropped) {
    playSound("long.wav", false);
    playSound("long.wav", false);
    playSound("long.wav", false);
    for (const AudioChannel& c : audioState().channels) EXPECT_EQ(c.length, 20000u);
    AudioChannel before[3] = {audioState().channels[0], audioState().channels[1], audioState().channels[2]};

    playSound("click.wav", false);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(sameChannel(audioState().channels[i], before[i])) << i;
    EXPECT_EQ(audioState().mixer->names.size(), 1u);  // dropped before it was even decoded

    // All three copies are in the output, added as signed 16-bit samples.
    std::vector<uint8_t> out = mixOnce();
    std::vector<int16_t> expected = slice(kLong, 0, kCallbackBytes);
    for (int16_t& s : expected) s = int16_t(3 * s);
    EXPECT_EQ(samplesOf(out, 0, kCallbackBytes), expected);
}

TEST_F(AudioMixerTest, TheSumIsClipped) {
    playSound("loud.wav", false);
    playSound("loud.wav", false);
    std::vector<int16_t> out = samplesOf(mixOnce(), 0, kCallbackBytes);
    for (int16_t s : out) ASSERT_EQ(s, 32767);
}

TEST_F(AudioMixerTest, SecondRequestForTheSameNameReusesTheDecodedSound) {
    playSound("music.wav", true);
    playSound("music.wav", true);  // two copies of the music, on two channels
    EXPECT_EQ(audioState().mixer->names.size(), 1u);
    EXPECT_TRUE(audioState().channels[0].looping && audioState().channels[1].looping);
    EXPECT_EQ(audioState().channels[0].data, audioState().channels[1].data);
    EXPECT_EQ(audioState().channels[0].data, audioState().mixer->converted[0].buf);
}

TEST_F(AudioMixerTest, NamesAreCaseSensitive) {
    playSound("Click.wav", false);
    EXPECT_EQ(audioState().channels[0].length, 0u);
    EXPECT_TRUE(audioState().mixer->names.empty());
}

TEST_F(AudioMixerTest, SoundsThatCannotPlayLeaveTheOtherChannelsAlone) {
    playSound("music.wav", true);
    playSound("long.wav", false);
    mixOnce();
    AudioChannel before[3] = {audioState().channels[0], audioState().channels[1], audioState().channels[2]};

    for (const char* name : {"nosuch.wav", "junk.wav", "onehertz.wav", "nochannels.wav", "empty.wav",
                             "truncated.wav"}) {
        playSound(name, false);
        for (int i = 0; i < 3; ++i) EXPECT_TRUE(sameChannel(audioState().channels[i], before[i])) << name << " " << i;
    }
    playSound("nosuch.wav", true);  // absent from the music archive too
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(sameChannel(audioState().channels[i], before[i])) << i;
    EXPECT_EQ(audioState().mixer->names.size(), 2u);

    // The playing sounds carry on where they were.
    std::vector<uint8_t> out = mixOnce();
    std::vector<int16_t> expected = slice(kMusic, kCallbackBytes, 752);
    std::vector<int16_t> effect = slice(kLong, kCallbackBytes, 752);
    for (size_t i = 0; i < expected.size(); ++i) expected[i] = int16_t(expected[i] + effect[i]);
    EXPECT_EQ(samplesOf(out, 0, 752), expected);

    // The free channel still takes a good sound.
    playSound("click.wav", false);
    EXPECT_EQ(audioState().channels[2].length, 1200u);
}

TEST_F(AudioMixerTest, MissingArchivesPlayNothingAndDoNotEndTheProgram) {
    pakCache().baseDirectory = emptyFolder + "/";
    playSound("click.wav", false);
    playSound("music.wav", true);
    for (const AudioChannel& c : audioState().channels) EXPECT_EQ(c.length, 0u);
    EXPECT_TRUE(audioState().mixer->names.empty());
    EXPECT_TRUE(pakCache().archives.empty());
}

TEST_F(AudioMixerTest, OtherFormatsAreConvertedToStereoAt22050) {
    playSound("mono11k.wav", false);
    const AudioChannel& c = audioState().channels[0];
    // 100 mono frames at half the rate: about 200 stereo frames of 4 bytes.
    ASSERT_GE(c.length, 780u);
    ASSERT_LE(c.length, 820u);
    EXPECT_EQ(c.length % 4, 0u);
    std::vector<int16_t> out = samplesOf(mixOnce(), 0, c.length);
    for (size_t i = 0; i + 1 < out.size(); i += 2) ASSERT_EQ(out[i], out[i + 1]) << "frame " << i / 2;
    // The ramp from 500 up in steps of 37 per source frame is still there, half a
    // step per output frame. Resamplers differ (classic SDL repeats each frame,
    // sdl12-compat interpolates and rings at the abrupt end), hence the tolerance
    // and the unchecked tail.
    size_t frames = out.size() / 2;
    for (size_t j = 0; j + 10 < frames; ++j)
        ASSERT_NEAR(out[2 * j], 500 + 18.5 * double(j), 60.0) << "frame " << j;
}

TEST_F(AudioMixerTest, NothingPlayingMixesSilence) {
    EXPECT_TRUE(silent(mixOnce(), 0));
    EXPECT_TRUE(silent(mixOnce(100), 0));
}

TEST_F(AudioMixerTest, FailedMixerPlaysNothing) {
    audioState().mixer->failed = true;
    playSound("click.wav", false);
    playSound("music.wav", true);
    for (const AudioChannel& c : audioState().channels) EXPECT_EQ(c.length, 0u);
    EXPECT_TRUE(audioState().mixer->names.empty());
}

TEST_F(AudioMixerTest, DestroyingTheMixerLeavesEveryChannelIdle) {
    playSound("music.wav", true);
    playSound("click.wav", false);
    destroyAudioMixer(audioState().mixer);
    for (const AudioChannel& c : audioState().channels) {
        EXPECT_EQ(c.data, nullptr);
        EXPECT_EQ(c.length, 0u);
        EXPECT_FALSE(c.looping);
    }
    EXPECT_TRUE(silent(mixOnce(), 0));
    audioState().mixer = new AudioMixer;  // for TearDown
}

}  // namespace

namespace {

// The sounds the program asks for, against the archives the build generates: each
// decodes, and needs no conversion because it is authored in the output format.
TEST(SoundBank, EverySoundTheProgramPlaysComesFromTheGeneratedArchives) {
    pakCloseAll();
    std::string savedBase = pakCache().baseDirectory;
    pakCache().baseDirectory = dataDir() + "/";
    Switches savedSwitches = switches();
    switches() = Switches();
    for (AudioChannel& c : audioState().channels) c = AudioChannel{};
    audioState().mixer = new AudioMixer;

    struct Use {
        const char* name;
        bool loop;
    };
    for (Use use : {Use{"music.wav", true}, Use{"button.wav", false}, Use{"stakan.wav", false},
                    Use{"palitra.wav", false}, Use{"scena.wav", false}, Use{"banka.wav", false}}) {
        playSound(use.name, use.loop);
        const AudioChannel& c = audioState().channels[0];
        EXPECT_EQ(c.looping, use.loop) << use.name;
        EXPECT_GE(c.length, 22050u * 4 / 10) << use.name << " is shorter than a tenth of a second";
        EXPECT_EQ(c.length % 4, 0u) << use.name;
        ASSERT_FALSE(audioState().mixer->converted.empty()) << use.name;
        EXPECT_EQ(audioState().mixer->converted.back().needed, 0) << use.name << " is not 22050 Hz 16-bit stereo";
        EXPECT_FALSE(audioState().mixer->files.back().empty()) << use.name << " is not played from its own bytes";
        for (AudioChannel& ch : audioState().channels) ch = AudioChannel{};
    }
    EXPECT_EQ(audioState().mixer->names.size(), 6u);

    destroyAudioMixer(audioState().mixer);
    switches() = savedSwitches;
    pakCloseAll();
    pakCache().baseDirectory = savedBase;
}

}  // namespace
