#include "shell/notes_box.h"

#include "shell/page.h"
#include "shell/page_paint.h"
#include "shell/shell_internal.h"
#include "store/record_file.h"
#include "store/store_layout.h"
#include "store/text_codec.h"
#include "toolkit/toolkit.h"

#include <QFile>

namespace shell {

namespace {
int notesView = 0;

// The whole file as text, an unterminated last line included.
int readAll(const QString& path, QString& text) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 2;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return 3;
    text = mv::decodeStored(bytes);
    return 0;
}
} // namespace

int prepareNotesFile() {
    const QString& path = mv::drive::notes;
    if (mv::characterCount(path) == -2) {
        const int rc = mv::writeText(path, QString());
        if (rc != 0) return rc;
    }
    QString text;
    const int rc = readAll(path, text);
    if (rc != 0) return rc;
    return mv::writeText(path, text + QStringLiteral("\n\n"));
}

int storeNotes(const QString& text) {
    return mv::writeText(mv::drive::notes, text);
}

void createNotesBox(int window) {
    notesView = tk::createRichView(window, 223, 422, 558, 152, QStringLiteral("VSCROLL"), 0);
    tk::setStandardFont(notesView, 1);
    tk::hideControl(notesView);
    prepareNotesFile();
    tk::loadRichFile(notesView, mv::drive::notes);
}

int saveNotes() {
    if (!notesView) return 2;
    return storeNotes(tk::text(notesView));
}

void forgetNotesBox() {
    notesView = 0;
}

int notesBox() {
    return notesView;
}

} // namespace shell
