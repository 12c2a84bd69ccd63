// The program's sixteen sounds as the generator writes them, and the synth
// helpers that set their level and shape their tone.
#include "generated_home.h"
#include "generator.h"
#include "sounds.h"
#include "synth.h"
#include "synth_filters.h"
#include "synth_osc.h"
#include "testmain.h"
#include "wavfile.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <map>

namespace synth = material::synth;

namespace {

struct Expected {
    const char* file;
    double minSeconds, maxSeconds;
};

// The interface sounds first, then the celebrations, which all last 1-3 s.
constexpr Expected kSounds[] = {
    {"wav/click.wav", 0.005, 0.06}, {"wav/typekey.wav", 0.03, 0.15}, {"wav/thud3.wav", 0.1, 0.25},
    {"wav/fanf2.wav", 1, 3},        {"wav/fanf3.wav", 1, 3},         {"wav/crowd.wav", 1, 3},
    {"wav/cheer2.wav", 1, 3},       {"wav/klaxon.wav", 1, 3},        {"wav/flute.wav", 1, 3},
    {"wav/gong.wav", 1, 3},         {"wav/clap2.wav", 1, 3},         {"wav/drumroll.wav", 1, 3},
    {"wav/laser2.wav", 1, 3},       {"wav/whizz.wav", 1, 3},         {"wav/clap3.wav", 1, 3},
    {"wav/clown.wav", 1, 3},
};
constexpr int kInterfaceSounds = 3;

WavFile loadSound(const char* file) {
    return WavFile::parse(material_tests::readAll(
        material_tests::generatedHome().filePath(QString::fromLatin1(file))));
}

double seconds(const WavFile& wav) {
    return double(wav.samples.size()) / wav.sampleRate;
}

// Mean square over [from, to) seconds, on the 16-bit scale.
double power(const WavFile& wav, double from, double to) {
    const auto a = std::size_t(std::max(0.0, from) * wav.sampleRate);
    const auto b = std::min(wav.samples.size(), std::size_t(to * wav.sampleRate));
    double sum = 0;
    for (std::size_t i = a; i < b; ++i)
        sum += double(wav.samples[i]) * wav.samples[i];
    return b > a ? sum / double(b - a) : 0.0;
}

// The frames of `frame` seconds between `from` and `to` at least 20 dB
// below the loudest of them, and the mean power of the rest.
std::pair<double, double> quietShareAndLoudPower(const WavFile& wav, double frame, double from,
                                                 double to) {
    std::vector<double> powers;
    for (double t = from; t + frame <= to + 1e-9; t += frame)
        powers.push_back(power(wav, t, t + frame));
    if (powers.empty())
        powers.push_back(power(wav, from, to));
    const double loudest = *std::max_element(powers.begin(), powers.end());
    double sum = 0;
    int loud = 0;
    for (double p : powers)
        if (p >= loudest / 100) {
            sum += p;
            ++loud;
        }
    return {1.0 - double(loud) / double(powers.size()), sum / loud};
}

// How loud the sound is while it sounds, whatever its length or tail.
double soundingRmsDb(const WavFile& wav) {
    const double p = quietShareAndLoudPower(wav, 0.02, 0, seconds(wav)).second;
    return 10 * std::log10(p / (32768.0 * 32768.0));
}

// The sound as a laptop's small speaker gives it out: next to nothing below
// 250 Hz (a fourth-order Butterworth high-pass, 24 dB an octave).
WavFile throughSmallSpeaker(WavFile wav) {
    synth::Samples s(wav.samples.begin(), wav.samples.end());
    synth::Biquad::highPass(wav.sampleRate, 250, 0.5412).run(s);
    synth::Biquad::highPass(wav.sampleRate, 250, 1.3066).run(s);
    std::transform(s.begin(), s.end(), wav.samples.begin(),
                   [](double x) { return int(std::lround(x)); });
    return wav;
}

// Zero crossings per second over [from, to): tracks the pitch of a whistle.
double crossingRate(const WavFile& wav, double from, double to) {
    const auto a = std::size_t(from * wav.sampleRate);
    const auto b = std::min(wav.samples.size(), std::size_t(to * wav.sampleRate));
    int crossings = 0;
    for (std::size_t i = a + 1; i < b; ++i)
        crossings += (wav.samples[i - 1] < 0) != (wav.samples[i] < 0);
    return crossings / (to - from);
}

// Weights that taper a window of n samples to nothing at both ends; they
// add up to n / 2.
double hann(std::size_t i, std::size_t n) {
    return 0.5 - 0.5 * std::cos(2 * synth::kPi * (double(i) + 0.5) / double(n));
}

// |X(hz)|^2 of the DFT of n samples (Goertzel: one frequency at a time).
template <typename Sample> double dftPower(const Sample* x, std::size_t n, double hz, int rate) {
    const double c = 2 * std::cos(2 * synth::kPi * hz / rate);
    double a = 0, b = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double next = double(x[i]) + c * a - b;
        b = a;
        a = next;
    }
    return a * a + b * b - c * a * b;
}

// Share of the whole sound's energy between loHz and hiHz. By Parseval the
// bins of both halves of the spectrum add up to n times the energy.
double bandShare(const WavFile& wav, double loHz, double hiHz) {
    const std::size_t n = wav.samples.size();
    double energy = 0, band = 0;
    for (int s : wav.samples)
        energy += double(s) * s;
    for (auto k = std::size_t(std::ceil(loHz * n / wav.sampleRate));
         double(k) * wav.sampleRate < hiHz * n; ++k)
        band += 2 * dftPower(wav.samples.data(), n, double(k) * wav.sampleRate / n, wav.sampleRate);
    return band / (double(n) * energy);
}

// The largest mean, as a fraction of full scale, over Hann-weighted windows
// of `window` seconds (or the whole sound, if shorter). The taper keeps a
// drum's or a gong's lowest partials from passing for an offset.
double worstWindowMean(const WavFile& wav, double window) {
    const std::size_t n = std::min(wav.samples.size(), std::size_t(window * wav.sampleRate));
    double worst = 0;
    for (std::size_t at = 0; at + n <= wav.samples.size(); at += std::max<std::size_t>(1, n / 4)) {
        double sum = 0;
        for (std::size_t i = 0; i < n; ++i)
            sum += hann(i, n) * wav.samples[at + i];
        worst = std::max(worst, std::abs(sum) / (double(n) / 2) / 32768);
    }
    return worst;
}

QString figures(std::initializer_list<double> values) {
    QStringList out;
    for (double v : values)
        out << QString::number(v);
    return out.join(u' ');
}

} // namespace

class SoundSetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        const material::GenerationReport& report = material_tests::generatedHome().report;
        QVERIFY2(report.ok(), qPrintable(report.errors.join(u'\n')));
    }

    void everySoundIsCleanAndInRange_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(kSounds)); ++i)
            QTest::newRow(kSounds[i].file) << i;
    }
    void everySoundIsCleanAndInRange() {
        QFETCH(int, index);
        const Expected& expected = kSounds[index];
        const WavFile wav = loadSound(expected.file);
        QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
        QCOMPARE(wav.format, 1);
        QCOMPARE(wav.channels, 1);
        QCOMPARE(wav.bitsPerSample, 16);
        QVERIFY(wav.sampleRate == 44100 || wav.sampleRate == 22050);
        QVERIFY2(seconds(wav) >= expected.minSeconds && seconds(wav) <= expected.maxSeconds,
                 qPrintable(QString::number(seconds(wav))));
        const double peakDbfs = 20 * std::log10(wav.peak() / 32768.0);
        QVERIFY2(peakDbfs <= -1.0 && peakDbfs > -20.0, qPrintable(QString::number(peakDbfs)));
        // Starts and ends near silence, so nothing pops.
        QVERIFY(std::abs(wav.samples.front()) < 100 && std::abs(wav.samples.back()) < 100);
        const double edge = std::min(0.002, seconds(wav) / 10);
        int opening = 0;
        for (int i = 0; i < 4; ++i)
            opening = std::max(opening, std::abs(wav.samples[std::size_t(i)]));
        QVERIFY(opening < wav.peak() / 10);
        QVERIFY(power(wav, seconds(wav) - edge, seconds(wav)) < 1e-3 * wav.peak() * wav.peak());
        // Centred on zero, overall and while each part sounds, so no speaker
        // cone is pushed off centre to thump as the sound comes and goes.
        double mean = 0;
        for (int s : wav.samples)
            mean += s / 32768.0 / double(wav.samples.size());
        QVERIFY2(std::abs(mean) < 0.002, qPrintable(QString::number(mean)));
        const double windowMean = worstWindowMean(wav, 0.1);
        QVERIFY2(windowMean < 0.01, qPrintable(QString::number(windowMean)));
    }

    void setIsEvenlyLoud() {
        std::vector<double> all, celebrations;
        QString table;
        for (int i = 0; i < int(std::size(kSounds)); ++i) {
            const double level = soundingRmsDb(loadSound(kSounds[i].file));
            all.push_back(level);
            if (i >= kInterfaceSounds)
                celebrations.push_back(level);
            table += QStringLiteral("%1 %2\n").arg(kSounds[i].file).arg(level, 0, 'f', 1);
        }
        const auto spread = [](const std::vector<double>& v) {
            const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
            return *hi - *lo;
        };
        QVERIFY2(spread(celebrations) <= 3.0, qPrintable(table));
        QVERIFY2(spread(all) <= 6.0, qPrintable(table));
        // Loud enough to hear over a classroom at a sensible volume setting.
        QVERIFY2(*std::min_element(all.begin(), all.end()) > -26.0, qPrintable(table));
        // Sounds given one loudness must match on a classroom laptop too:
        // one with its weight in the bass, which such a speaker cannot play,
        // would come out quieter there than its neighbours.
        std::map<double, std::vector<double>> byTarget;
        QString speaker;
        for (const material::SoundRow& row : material::soundTable()) {
            const double level = soundingRmsDb(throughSmallSpeaker(loadSound(row.output)));
            byTarget[row.loudnessDb].push_back(level);
            speaker += QStringLiteral("%1 %2\n").arg(row.output).arg(level, 0, 'f', 1);
        }
        for (const auto& [target, levels] : byTarget)
            QVERIFY2(spread(levels) <= 3.0, qPrintable(speaker));
    }

    // Each sound as its name promises, measured where a fault in its recipe
    // would show.
    void soundsKeepTheirCharacter() {
        // A classroom laptop plays almost nothing below 200 Hz; the drop of
        // a label must still be heard on one.
        const double knock = bandShare(loadSound("wav/thud3.wav"), 200, 2000);
        QVERIFY2(knock > 0.5, qPrintable(QString::number(knock)));
        // Each laser zap starts high and plunges (measured in the first zap
        // before its echo comes back).
        const WavFile laser = loadSound("wav/laser2.wav");
        QVERIFY(crossingRate(laser, 0.003, 0.02) > 2.5 * crossingRate(laser, 0.07, 0.1));
        // The whizz is a firework going up, never a bomb coming down: it
        // climbs all the way to its burst at 0.9 s, and nothing after the
        // burst is lower than the top of the climb.
        const WavFile whizz = loadSound("wav/whizz.wav");
        std::vector<double> climb;
        for (double t = 0.05; t < 0.8; t += 0.1)
            climb.push_back(crossingRate(whizz, t, t + 0.1));
        double after = crossingRate(whizz, 0.9, 1.0);
        for (double t = 1.0; t + 0.1 < seconds(whizz) - 0.1; t += 0.1)
            after = std::min(after, crossingRate(whizz, t, t + 0.1));
        QVERIFY2(std::is_sorted(climb.begin(), climb.end()) && climb.back() > 2.5 * climb.front() &&
                     after > climb.back(),
                 qPrintable(figures({climb.front(), climb.back(), after})));
        // A room's applause is a continuous patter; a few people leave
        // audible gaps between claps.
        QVERIFY(quietShareAndLoudPower(loadSound("wav/clap2.wav"), 0.01, 0.3, 1.5).first < 0.1);
        QVERIFY(quietShareAndLoudPower(loadSound("wav/clap3.wav"), 0.01, 0.2, 1.3).first > 0.3);
        // The roll builds by 9 dB; the gong still rings half-way, within
        // 12 dB of its strike.
        const WavFile roll = loadSound("wav/drumroll.wav");
        QVERIFY(power(roll, 1.2, 1.6) > std::pow(10.0, 0.9) * power(roll, 0.0, 0.4));
        const WavFile gong = loadSound("wav/gong.wav");
        const double ring = power(gong, 1.4, 1.6) / power(gong, 0.0, 0.3);
        QVERIFY2(ring > std::pow(10.0, -1.2) && ring < 1, qPrintable(QString::number(ring)));
    }
};

OSTERVALE_TEST(SoundSetTest)

namespace {

constexpr int kRate = 44100;

synth::Samples sine(double hz, double amplitude, double seconds) {
    synth::Samples s(std::size_t(seconds * kRate));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = amplitude * std::sin(2 * synth::kPi * hz * double(i) / kRate);
    return s;
}

// Level of one frequency in `s`, as the amplitude of a sine.
double levelAt(const synth::Samples& s, double hz) {
    return 2 * std::sqrt(dftPower(s.data(), s.size(), hz, kRate)) / double(s.size());
}

double peakAfter(const synth::Samples& s, std::size_t from) {
    return synth::peakOf(synth::Samples(s.begin() + std::ptrdiff_t(from), s.end()));
}

} // namespace

class SoundToolsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loudnessIgnoresSilenceAndQuietTails() {
        const synth::Samples tone = sine(440, 0.5, 0.5);
        const double level = synth::loudnessDb(tone, kRate);
        QVERIFY(std::abs(level - 20 * std::log10(0.5 / std::sqrt(2.0))) < 0.1);
        synth::Samples padded(kRate, 0.0);
        synth::mixInto(padded, tone, 1.0, kRate / 2);
        synth::mixInto(padded, sine(440, 0.001, 1.0), 1.0, padded.size());
        QVERIFY(std::abs(synth::loudnessDb(padded, kRate) - level) < 0.5);
        QVERIFY(synth::loudnessDb(synth::Samples(100, 0.0), kRate) < -150);
    }

    void limiterHoldsTheCeilingAndLeavesTheRestAlone() {
        synth::Samples s = sine(300, 0.2, 1.0);
        const synth::Samples original = s;
        for (int i = 0; i < 400; ++i)
            s[kRate / 2 + i] *= 10.0; // a 2.0 spike of about 9 ms
        synth::limitPeaks(s, kRate, -6.0);
        QVERIFY(synth::peakOf(s) <= synth::dbToGain(-6.0) + 1e-12);
        // Untouched well before the spike, recovered well after it.
        for (int i = 0; i < kRate / 2 - 200; ++i)
            QCOMPARE(s[i], original[i]);
        QVERIFY(peakAfter(s, kRate * 9 / 10) > 0.19);
        // No step in the gain: neighbouring samples of the quiet sine stay close.
        double largestStep = 0;
        for (std::size_t i = 1; i < s.size(); ++i)
            if (i < std::size_t(kRate / 2 - 100) || i > std::size_t(kRate / 2 + 500))
                largestStep = std::max(largestStep, std::abs(s[i] - s[i - 1]));
        QVERIFY(largestStep < 0.02);
    }

    void setLoudnessReachesTheTargetUnderTheCeiling() {
        // Claps: sharp hits a fifth of a second apart, too spiky to reach
        // the target by plain gain without passing the ceiling.
        synth::Prng prng(5);
        synth::Samples claps(kRate, 0.0);
        for (int hit = 0; hit < 5; ++hit) {
            synth::Samples one(kRate / 20, 0.0);
            synth::addDecayingNoise(one, kRate, prng, 1.0, 0.006);
            synth::mixInto(claps, one, 0.1, std::size_t(hit * kRate / 5));
        }
        QVERIFY(synth::gainToDb(synth::peakOf(claps)) - synth::loudnessDb(claps, kRate) > 17.0);
        synth::setLoudness(claps, kRate, -18.0, -1.2);
        QVERIFY(synth::peakOf(claps) <= synth::dbToGain(-1.2) + 1e-12);
        const double reached = synth::loudnessDb(claps, kRate);
        QVERIFY2(std::abs(reached + 18.0) < 0.5, qPrintable(QString::number(reached)));
    }

    // A recipe whose sound sits well off zero, as a raw pulse wave does.
    void finishingTakesOutAnyOffset() {
        const material::SoundRow offCentre{"offset.wav", kRate, -20.0, [](int) {
                                               synth::Samples s = sine(220, 0.3, 1.0);
                                               for (double& x : s)
                                                   x += 0.3;
                                               return s;
                                           }};
        const WavFile wav = WavFile::parse(material::renderSound(offCentre));
        QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
        const double windowMean = worstWindowMean(wav, 0.1);
        QVERIFY2(windowMean < 0.01, qPrintable(QString::number(windowMean)));
    }

    void curveInterpolatesAndHoldsItsEnds() {
        const synth::Curve c({{0.1, 1.0}, {0.3, 3.0}, {0.3, 5.0}, {0.5, 0.0}});
        QCOMPARE(c.at(-1.0), 1.0);
        QVERIFY(std::abs(c.at(0.2) - 2.0) < 1e-12);
        QVERIFY(std::abs(c.at(0.4) - 2.5) < 1e-12);
        QCOMPARE(c.at(9.0), 0.0);
        const synth::Samples s = c.sampled(10, 6);
        QCOMPARE(s.size(), std::size_t(6));
        QVERIFY(std::abs(s[2] - 2.0) < 1e-12);
    }

    void harmonicToneKeepsBelowNyquist() {
        // 5 kHz with ten harmonics: the fifth (25 kHz) would fold back to
        // 19.1 kHz if it were not left out; the third (15 kHz) must be there.
        const std::size_t n = kRate / 4;
        synth::Samples out;
        synth::addHarmonicTone(out, 0, kRate, synth::Samples(n, 5000.0), synth::Samples(n, 1.0),
                               std::vector<double>(10, 0.5));
        QVERIFY(std::abs(levelAt(out, 15000) - 0.5) < 0.02);
        QVERIFY(levelAt(out, 19100) < 0.005);
        QVERIFY(levelAt(out, 5000) > 0.45);
    }

    void oscillatorsAndFiltersDoWhatTheySay() {
        synth::BlepOscillator osc;
        synth::Samples saw(kRate);
        for (double& x : saw)
            x = osc.saw(441, kRate);
        // A sawtooth's harmonics fall as 1/k: 2/pi for the fundamental.
        QVERIFY(std::abs(levelAt(saw, 441) - 2 / synth::kPi) < 0.02);
        QVERIFY(std::abs(levelAt(saw, 882) - 1 / synth::kPi) < 0.02);
        QVERIFY(synth::peakOf(saw) < 1.2);

        const auto through = [](synth::Biquad f, double hz) {
            synth::Samples s = sine(hz, 1.0, 0.2);
            f.run(s);
            return peakAfter(s, kRate / 10);
        };
        const auto band = synth::Biquad::bandPass(kRate, 1000, 2.0);
        QVERIFY(std::abs(through(band, 1000) - 1.0) < 0.02);
        QVERIFY(through(band, 250) < 0.2 && through(band, 4000) < 0.2);
        QVERIFY(std::abs(through(synth::Biquad::peak(kRate, 1000, 1.0, 6.0), 1000) - 2.0) < 0.05);

        synth::Svf svf;
        synth::Samples swept = sine(2000, 1.0, 0.2);
        for (double& x : swept)
            x = svf.process(x, kRate, 2000, 4.0).band / 4.0;
        QVERIFY(std::abs(peakAfter(swept, kRate / 10) - 1.0) < 0.03);
    }

    void roomLeavesADecayingTail() {
        synth::Samples s(kRate, 0.0);
        s[0] = 1.0;
        synth::addRoom(s, kRate, 0.5, 1.0);
        const auto energy = [&s](double from, double to) {
            double sum = 0;
            for (auto i = std::size_t(from * kRate); i < std::size_t(to * kRate); ++i)
                sum += s[i] * s[i];
            return sum;
        };
        QVERIFY(energy(0.05, 0.15) > 0);
        // 60 dB down over 0.5 s: about 12 dB per 0.1 s.
        const double drop = 10 * std::log10(energy(0.1, 0.2) / energy(0.3, 0.4));
        QVERIFY2(drop > 15 && drop < 35, qPrintable(QString::number(drop)));
    }
};

OSTERVALE_TEST(SoundToolsTest)
#include "sound_set_test.moc"
