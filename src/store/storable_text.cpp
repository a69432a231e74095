#include "store/storable_text.h"

#include "store/text_codec.h"

namespace mv {

std::optional<QString> unholdableCharacter(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) continue;
        if (c.isHighSurrogate() && i + 1 < text.size()) return text.mid(i, 2);
        if (!isCp1252(QString(c))) return QString(c);
    }
    return std::nullopt;
}

Message characterRefusal(const QString& character) {
    return inputErrorMessage(QStringLiteral("Tecknet '") + character + QStringLiteral("' kan inte sparas!"));
}

} // namespace mv
