#include "invoicing/invoicing_common.h"

#include "store/text_codec.h"
#include "store/text_util.h"

namespace mv {

std::optional<QChar> unstorableCharacter(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || !isCp1252(QString(c))) return c;
    return std::nullopt;
}

std::optional<Amount> typedNumber(const QString& text) {
    if (text.trimmed().isEmpty()) return Amount();
    return Amount::parseStrict(text);
}

QString normalizedAmountField(const QString& text) {
    return text.isEmpty() ? QString() : normalizeAmountText(text);
}

QStringList textLines(const QString& text) {
    QStringList lines = text.split(u'\n');
    if (text.endsWith(u'\n') || text.isEmpty()) lines.removeLast();
    return lines;
}

QString joinedLines(const QStringList& lines) {
    QString t;
    for (const QString& line : lines)
        t += line + u'\n';
    return t;
}

int ask(const ShowMessage& show, const Message& message) {
    if (show) return show(message);
    return message.buttons == QLatin1String("yes_NO") ? answerNo : answerOk;
}

bool commitInvoicingChange(const PathTable& paths, const ChangeSet& set, const ShowMessage& show) {
    // A change interrupted earlier is put right before anything is read anew.
    if (recoverInterruptedBooking(paths) != 0) {
        if (show) show(saveFailedMessage(bookingUndoPath(paths)));
        return false;
    }
    const CommitOutcome out = commitChangeSet(paths, set, 0);
    if (!out.ok && show) show(out.message);
    return out.ok;
}

} // namespace mv
