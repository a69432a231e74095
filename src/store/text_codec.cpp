#include "store/text_codec.h"

#include <QStringDecoder>

#include <array>

namespace mv {

namespace {

// Code page 1252 both ways, taken once from Qt's codec: the character of
// every byte, and the byte of every character that has one (0 for none;
// the NUL character itself is byte 0 and is handled apart).
struct Cp1252 {
    std::array<char16_t, 256> toChar{};
    std::array<unsigned char, 0x10000> toByte{};

    Cp1252() {
        QStringDecoder decoder("windows-1252");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString c = decoder(QByteArray(&byte, 1));
            toChar[size_t(b)] = c.size() == 1 ? c.at(0).unicode() : char16_t(0xFFFD);
        }
        for (int b = 1; b < 256; ++b)
            if (toChar[size_t(b)] != 0xFFFD) toByte[toChar[size_t(b)]] = static_cast<unsigned char>(b);
    }
};

const Cp1252& table() {
    static const Cp1252 t;
    return t;
}

} // namespace

QString decodeStored(const QByteArray& bytes) {
    const Cp1252& t = table();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype o = 0;
    for (qsizetype i = 0; i < n; ++i) {
        // A CR LF becomes one line end; a CR alone stays as it is.
        if (in[i] == '\r' && i + 1 < n && in[i + 1] == '\n') continue;
        out[o++] = t.toChar[in[i]];
    }
    text.truncate(o);
    return text;
}

bool isCp1252(const QString& text) {
    const Cp1252& t = table();
    for (const QChar c : text)
        if (c.unicode() != 0 && t.toByte[c.unicode()] == 0) return false;
    return true;
}

QByteArray encodeStored(const QString& text) {
    const Cp1252& t = table();
    qsizetype lines = 0;
    for (const QChar c : text) lines += c == u'\n';
    QByteArray bytes(text.size() + lines, Qt::Uninitialized);
    char* out = bytes.data();
    qsizetype o = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n') {
            out[o++] = '\r';
            out[o++] = '\n';
        } else if (u == 0) {
            out[o++] = 0;
        } else {
            // A character code page 1252 cannot hold is written as '?'
            // (input refuses such characters before they get this far).
            const unsigned char b = t.toByte[u];
            out[o++] = b ? char(b) : '?';
        }
    }
    return bytes;
}

} // namespace mv
