#pragma once
// A reader written from the RIFF/WAVE layout for the tests, independent of
// the generator's writer, so a mistake in one is not mirrored in the other.
#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

struct WavFile {
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<int> samples;
    QString error;

    int peak() const {
        int p = 0;
        for (int s : samples)
            p = std::max(p, std::abs(s));
        return p;
    }

    static WavFile parse(const QByteArray& bytes) {
        WavFile wav;
        const auto u16 = [&](qsizetype at) {
            return qFromLittleEndian<quint16>(bytes.constData() + at);
        };
        const auto u32 = [&](qsizetype at) {
            return qFromLittleEndian<quint32>(bytes.constData() + at);
        };
        if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
            return wav.fail(QStringLiteral("not RIFF/WAVE"));
        if (u32(4) != quint32(bytes.size() - 8))
            return wav.fail(QStringLiteral("RIFF size does not match the file"));
        qsizetype at = 12;
        bool haveFormat = false;
        while (at + 8 <= bytes.size()) {
            const QByteArray id = bytes.mid(at, 4);
            const qsizetype length = u32(at + 4);
            const qsizetype body = at + 8;
            if (body + length > bytes.size())
                return wav.fail(QStringLiteral("chunk runs past the end"));
            if (id == "fmt ") {
                // The fields below take the chunk's first 16 bytes; a shorter
                // chunk would have them read from whatever follows it.
                if (length < 16)
                    return wav.fail(QStringLiteral("fmt chunk shorter than 16 bytes"));
                wav.format = u16(body);
                wav.channels = u16(body + 2);
                wav.sampleRate = int(u32(body + 4));
                wav.bitsPerSample = u16(body + 14);
                if (u16(body + 12) != wav.channels * wav.bitsPerSample / 8 ||
                    u32(body + 8) != quint32(wav.sampleRate * u16(body + 12)))
                    return wav.fail(QStringLiteral("inconsistent block align or byte rate"));
                haveFormat = true;
            } else if (id == "data") {
                if (!haveFormat || wav.format != 1 || wav.bitsPerSample != 16)
                    return wav.fail(QStringLiteral("data is not 16-bit PCM"));
                for (qsizetype i = 0; i + 1 < length; i += 2)
                    wav.samples.push_back(qFromLittleEndian<qint16>(bytes.constData() + body + i));
                return wav;
            }
            at = body + length + (length & 1);
        }
        return wav.fail(QStringLiteral("no data chunk"));
    }

private:
    WavFile& fail(const QString& why) {
        error = why;
        return *this;
    }
};
