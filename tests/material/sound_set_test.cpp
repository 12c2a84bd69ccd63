// The program's sixteen sounds as the generator writes them, measured for
// what a class would hear: a sound that is silent, clipped, too long, too
// quiet beside the others, thumping as it starts, or not what its name
// promises.
#include "sounds.h"
#include "synth.h"
#include "testmain.h"
#include "wav.h"

#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace synth = material::synth;

namespace {

struct Wav {
    int rate = 0;
    synth::Samples samples; // on the 16-bit scale
    double seconds() const { return double(samples.size()) / rate; }
};

// Read from the RIFF/WAVE layout, apart from the generator's writer, so a
// mistake in one is not mirrored in the other: 16-bit mono PCM with every
// size and rate field agreeing, or no samples at all.
Wav parseWav(const QByteArray& b) {
    const auto u16 = [&b](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    const auto u32 = [&b](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    Wav wav;
    if (b.size() < 44 || !b.startsWith("RIFF") || b.mid(8, 8) != "WAVEfmt " ||
        b.mid(36, 4) != "data" || u32(4) != quint32(b.size() - 8) || u32(16) != 16 ||
        u16(20) != 1 || u16(22) != 1 || u16(34) != 16 || u16(32) != 2 || u32(28) != 2 * u32(24) ||
        u32(40) != quint32(b.size() - 44))
        return wav;
    wav.rate = int(u32(24));
    for (qsizetype i = 44; i + 1 < b.size(); i += 2)
        wav.samples.push_back(qFromLittleEndian<qint16>(b.constData() + i));
    return wav;
}

Wav loadSound(const QString& name) {
    QFile file(QStringLiteral(OSTERVALE_HOME "/") + name);
    return parseWav(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

// Mean square over [from, to) seconds, on the 16-bit scale.
double power(const Wav& wav, double from, double to) {
    const auto a = std::size_t(std::max(0.0, from) * wav.rate);
    const auto b = std::min(wav.samples.size(), std::size_t(to * wav.rate));
    double sum = 0;
    for (std::size_t i = a; i < b; ++i)
        sum += wav.samples[i] * wav.samples[i];
    return b > a ? sum / double(b - a) : 0.0;
}

// How loud the sound is while it sounds, whatever its length or tail: the
// mean power of the 20 ms frames within 20 dB of the loudest.
double soundingDb(const Wav& wav) {
    std::vector<double> powers;
    for (double t = 0; t + 0.02 <= wav.seconds() + 1e-9; t += 0.02)
        powers.push_back(power(wav, t, t + 0.02));
    const double loudest = *std::max_element(powers.begin(), powers.end());
    std::erase_if(powers, [loudest](double p) { return p < loudest / 100; });
    const double mean = std::accumulate(powers.begin(), powers.end(), 0.0) / double(powers.size());
    return 10 * std::log10(mean / (32768.0 * 32768.0));
}

// The largest mean, as a share of full scale, over tapered windows of 0.1 s
// (the taper keeps a drum's or a gong's lowest partials from passing for an
// offset): a speaker cone pushed off centre thumps as a sound comes and goes.
double worstOffset(const Wav& wav) {
    const std::size_t n = std::min(wav.samples.size(), std::size_t(wav.rate / 10));
    double worst = 0;
    for (std::size_t at = 0; at + n <= wav.samples.size(); at += n / 4) {
        double sum = 0;
        for (std::size_t i = 0; i < n; ++i)
            sum += (0.5 - 0.5 * std::cos(2 * synth::kPi * (i + 0.5) / n)) * wav.samples[at + i];
        worst = std::max(worst, std::abs(sum) / (n / 2.0) / 32768);
    }
    return worst;
}

double spread(const std::vector<double>& v) {
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    return *hi - *lo;
}

} // namespace

class SoundSetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every sound the program plays: the interface's own (the first three)
    // short, the celebrations one to three seconds; neither clipped nor
    // faint; starting and ending on silence, so nothing pops; centred on
    // zero; and the set evenly loud.
    void everySoundIsCleanAndEvenlyLoud() {
        std::vector<double> all, celebrations;
        for (const material::SoundRow& row : material::soundTable()) {
            const Wav wav = loadSound(QString::fromLatin1(row.output));
            const bool interface = all.size() < 3;
            const double s = wav.seconds(); // not a number when nothing was read
            QVERIFY2(wav.rate == 44100 && (interface ? s > 0.005 && s < 0.25 : s >= 1 && s <= 3),
                     row.output);
            const int peak =
                std::abs(*std::max_element(wav.samples.begin(), wav.samples.end(),
                                           [](int a, int b) { return std::abs(a) < std::abs(b); }));
            QVERIFY2(peak <= 32768 * 0.891 && peak > 32768 * 0.1, row.output);
            for (int i = 0; i < 4; ++i)
                QVERIFY2(std::abs(wav.samples[i]) < peak / 10, row.output);
            const double edge = std::min(0.002, wav.seconds() / 10);
            QVERIFY2(power(wav, wav.seconds() - edge, wav.seconds()) < 1e-3 * peak * peak,
                     row.output);
            QVERIFY2(std::abs(wav.samples.back()) < 100 && worstOffset(wav) < 0.01, row.output);
            all.push_back(soundingDb(wav));
            if (!interface)
                celebrations.push_back(all.back());
        }
        QCOMPARE(all.size(), std::size_t(16));
        QVERIFY(spread(celebrations) <= 3.0);
        QVERIFY(spread(all) <= 6.0);
        // Heard over a classroom at a sensible volume setting.
        QVERIFY(*std::min_element(all.begin(), all.end()) > -26.0);
    }

    // The finishing every recipe goes through, on what no sound of the set
    // happens to bring: one sitting well off zero, as a raw pulse wave does,
    // and a spike the limiter must hold under the ceiling without the
    // crackle of a sudden gain step; and samples past full scale, which clip
    // rather than wrap round to the other sign.
    void finishingCentresLimitsAndClips() {
        const material::SoundRow offCentre{"offset.wav", 44100, -20.0, [](int rate) {
                                               synth::Samples s(std::size_t(rate), 0.3);
                                               for (std::size_t i = 0; i < s.size(); ++i)
                                                   s[i] += 0.3 * std::sin(0.03 * double(i));
                                               return s;
                                           }};
        QVERIFY(worstOffset(parseWav(material::renderSound(offCentre))) < 0.01);
        synth::Samples s(44100, 0.0);
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = 0.2 * std::sin(0.04 * double(i)) * (i / 400 == 55 ? 10 : 1);
        const synth::Samples original = s;
        synth::limitPeaks(s, 44100, -6.0);
        QVERIFY(synth::peakOf(s) <= synth::dbToGain(-6.0) + 1e-12);
        QVERIFY(std::equal(s.begin(), s.begin() + 21800, original.begin()));
        QVERIFY(synth::peakOf(synth::Samples(s.begin() + 40000, s.end())) > 0.19);
        for (std::size_t i = 1; i < s.size(); ++i)
            QVERIFY(std::abs(s[i] - s[i - 1]) < 0.02 || (i > 21900 && i < 22500));
        const Wav raw = parseWav(material::encodeWav16Mono({0.0, 0.5, -1.0, 3.0, -3.0}, 22050));
        QCOMPARE(raw.rate, 22050);
        QCOMPARE(raw.samples, (synth::Samples{0, 16384, -32767, 32767, -32767}));
    }
};

OSTERVALE_TEST(SoundSetTest)
#include "sound_set_test.moc"
