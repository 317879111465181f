#include "audio/wavetable.h"

#include "audio/wavebytes.h"

std::vector<WaveCase> waveCases()
{
    const QByteArray clip = tone(Mono16, 0.1);
    const QByteArray info = chunk("LIST", QByteArray("INFOISFT\x05\0\0\0sox!", 17));
    std::vector<WaveCase> cases = {
        { "empty file", "empty.wav", {} },
        { "header only", "header.wav", riffWave(formatChunk(Mono16)) },
        { "empty data chunk", "nodata.wav", wave(Mono16, {}) },
        { "less than one sample", "byte.wav", wave(Mono16, "\x01") },
        { "data chunk cut short by the end of the file", "truncated.wav",
            wave(Mono16, clip).chopped(101), clip.chopped(102) },
        { "data size far beyond the file", "beyond.wav",
            riffWave(formatChunk(Mono16) + chunk("data", clip.left(200), 0x7ffffff0)), clip.left(200) },
        { "data size 0xFFFFFFFF, left by a streaming recorder", "stream.wav",
            riffWave(formatChunk(Mono16) + chunk("data", clip, 0xffffffff)), clip },
        { "data size 0, left by a streaming recorder", "zero.wav",
            riffWave(formatChunk(Mono16) + chunk("data", clip, 0)), clip },
        { "odd-sized chunk without its pad byte", "nopad.wav",
            riffWave(formatChunk(Mono16) + info + chunk("data", clip)), clip },
        { "odd-sized chunk with its pad byte", "pad.wav",
            riffWave(formatChunk(Mono16) + info + '\0' + chunk("data", clip)), clip },
        { "RIFF size ending before the samples", "riff.wav",
            "RIFF" + le32(4 + 24) + "WAVE" + formatChunk(Mono16) + chunk("data", clip), clip },
        { "RIFF size 0", "riff0.wav",
            "RIFF" + le32(0) + "WAVE" + formatChunk(Mono16) + chunk("data", clip), clip },
        { "oversized chunk before the data", "list.wav",
            riffWave(formatChunk(Mono16) + chunk("LIST", "INFO", 0xffffff00) + chunk("data", clip)) },
        { "samples before the format", "order.wav",
            riffWave(chunk("data", clip) + formatChunk(Mono16)) },
        { "zero sample rate", "rate.wav", riffWave(formatChunk({ 1, 0, 16 }) + chunk("data", clip)) },
        { "unsupported encoding", "mpeg.wav",
            riffWave(formatChunk(Mono16, 0x0055) + chunk("data", clip)) },
        { "another kind of RIFF file", "video.wav", "RIFF" + le32(12) + "AVI " + chunk("JUNK", "abcd") },
        { "text file", "text.wav", "Two little ducks, 22\nKelly's eye, 1\n" },
        { "PNG renamed", "picture.wav",
            QByteArray::fromHex("89504e470d0a1a0a0000000d494844520000001000000010080200000090916836") },
        { "12-bit PCM", "12bit.wav", riffWave(formatFields(1, 1, 2, 12) + chunk("data", clip)) },
        { "24-bit PCM with the block align of 16-bit", "24bit.wav",
            riffWave(formatFields(1, 1, 2, 24) + chunk("data", clip)) },
        { "16-bit float", "float.wav", riffWave(formatFields(3, 1, 2, 16) + chunk("data", clip)) },
        { "A-law with 16-bit samples", "alaw.wav", riffWave(formatFields(6, 1, 2, 16) + chunk("data", clip)) },
        { "MS ADPCM without its coefficient table", "msadpcm.wav",
            riffWave(formatFields(2, 1, 256, 4) + chunk("data", clip)) },
        { "IMA ADPCM blocks shorter than their header", "ima.wav",
            riffWave(formatFields(0x11, 1, 2, 4, le16(1017)) + chunk("data", clip)) },
        { "extensible format of an unknown kind", "extensible.wav",
            riffWave(formatFields(0xfffe, 1, 2, 16,
                         le16(16) + le32(4) + QByteArray::fromHex("341200000000100080000000aa389b71"))
                + chunk("data", clip)) },
        { "no channels", "mute.wav", riffWave(formatFields(1, 0, 0, 16) + chunk("data", clip)) },
        { "format chunk cut short", "short.wav",
            riffWave(chunk("fmt ", formatChunk(Mono16).mid(8, 10)) + chunk("data", clip)) },
        // A few bytes at a few hertz would be minutes of sound.
        { "1 Hz", "1hz.wav", wave({ 1, 1, 8 }, QByteArray(46, '\x90')) },
        { "just under 8 kHz", "7999.wav", wave({ 1, 7999, 8 }, QByteArray(800, '\x90')) },
        { "just over 192 kHz", "192001.wav", wave({ 1, 192001, 16 }, QByteArray(4000, '\x10')) },
        { "just over 10 s", "long.wav", wave({ 1, 8000, 8 }, QByteArray(80008, '\x90')) },
        // Ten seconds are counted in frames: a stereo frame is twice a mono one.
        { "stereo, just under 10 s", "stereo.wav", wave({ 2, 8000, 16 }, tone({ 2, 8000, 16 }, 9.9)),
            tone({ 2, 8000, 16 }, 9.9) },
        { "over 10 s, data size 0xFFFFFFFF", "longstream.wav",
            riffWave(formatChunk({ 1, 8000, 8 }) + chunk("data", QByteArray(80008, '\x90'), 0xffffffff)) },
    };
    // "RIFF", its size and "WAVE" take 12 bytes: a file that ends sooner must not be read past.
    const QByteArray whole = wave(Mono16, clip);
    for (int size = 1; size < 12; ++size) {
        cases.push_back({ "file of " + std::to_string(size) + " bytes, cut inside the header",
            QStringLiteral("cut%1.wav").arg(size), whole.left(size) });
    }
    return cases;
}
