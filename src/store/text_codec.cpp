#include "store/text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace mv {

QString decodeStored(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    QString text = decoder(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

static QByteArray encodeChar(QChar c) {
    QStringEncoder encoder("windows-1252");
    QByteArray b = encoder(QString(c));
    if (encoder.hasError() || b.size() != 1) return QByteArray("?");
    return b;
}

bool isCp1252(const QString& text) {
    QStringEncoder encoder("windows-1252");
    const QByteArray b = encoder(text);
    return !encoder.hasError() && b.size() == text.size();
}

QByteArray encodeStored(const QString& text) {
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder(crlf);
    if (!encoder.hasError() && bytes.size() == crlf.size()) return bytes;
    // Rare path: some character has no byte; encode one by one.
    bytes.clear();
    for (QChar c : crlf) bytes += encodeChar(c);
    return bytes;
}

} // namespace mv
