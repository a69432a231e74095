#include "invoicing/invoice_texts.h"

#include "invoicing/invoicing_common.h"
#include "invoicing/invoicing_messages.h"

namespace mv {

QString invoiceTextsFile(const std::array<QString, invoiceTextCount>& texts) {
    QString t;
    for (const QString& line : texts)
        t += line + u'\n';
    return t;
}

bool saveInvoiceTexts(const PathTable& paths, const std::array<QString, invoiceTextCount>& texts,
                      const ShowMessage& show) {
    for (const QString& line : texts)
        if (const auto c = unstorableCharacter(line)) {
            if (show) show(imsg::badCharacter(*c));
            return false;
        }
    ChangeSet set(Operation::InvoiceTextsSave);
    set.setText(paths.invoiceTexts, invoiceTextsFile(texts));
    if (!commitInvoicingChange(paths, set, show)) return false;
    recordInvoiceTexts(texts);
    return true;
}

} // namespace mv
