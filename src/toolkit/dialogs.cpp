// Common dialogs (folder, open, save, find) and opening documents and web
// pages with the desktop's programs.
#include "toolkit/text_viewer.h"
#include "toolkit/toolkit_internal.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>

namespace tk {

using namespace detail;

namespace {

DialogHook& dialogHook() {
    static DialogHook hook;
    return hook;
}

ExternalHook& externalHook() {
    static ExternalHook hook;
    return hook;
}

QWidget* ownerWidget(int handle) {
    QWidget* w = widgetOf(handle);
    return w ? w->window() : nullptr;
}

const QString kAllFiles = QStringLiteral("Alla filer (*.*)");

// Puts the chosen file into the target (a control's text or a window's title).
int fileChosen(int target, const QString& path, const QString& resultKeyword, QString& result) {
    if (path.isEmpty()) return 1;
    result = resultKeyword == u"FILENAME" ? QFileInfo(path).fileName()
                                          : QDir::fromNativeSeparators(path);
    if (widgetOf(target)) setText(target, result);
    return 0;
}

int fileDialog(bool save, int target, const QString& title, const QString& resultKeyword,
               const QString& filterKeyword, const QString& ownFilter, QString& result,
               const QString& suggested = QString()) {
    const QStringList filters = fileFilters(filterKeyword, ownFilter);
    QString path;
    if (dialogHook()) {
        path = dialogHook()(DialogRequest{save ? QStringLiteral("SAVE") : QStringLiteral("OPEN"),
                                          title, resultKeyword, filters, suggested});
    } else {
        const QString joined = filters.join(QStringLiteral(";;"));
        path = save ? QFileDialog::getSaveFileName(ownerWidget(target), title, suggested, joined)
                    : QFileDialog::getOpenFileName(ownerWidget(target), title, QString(), joined);
        if (!save && !path.isEmpty() && !QFileInfo::exists(path)) path.clear();
    }
    return fileChosen(target, path, resultKeyword, result);
}

} // namespace

void setDialogHook(DialogHook hook) {
    dialogHook() = std::move(hook);
}

void setExternalHook(ExternalHook hook) {
    externalHook() = std::move(hook);
}

QStringList fileFilters(const QString& keyword, const QString& ownFilter) {
    if (keyword == u"TXT_FILTER") return {QStringLiteral("Text filer (*.txt)"), kAllFiles};
    if (keyword == u"ALL_FILTER") {
        return {QStringLiteral("Text filer (*.txt)"),
                QStringLiteral("Write-dokument (*.wri)"),
                QStringLiteral("RTF-dokument (*.rtf)"),
                QStringLiteral("HTML-dokument (*.htm *.html)"),
                QStringLiteral("MerValla-filer (*.kdb)"),
                kAllFiles};
    }
    if (keyword == u"C_DEV_FILTER") {
        return {QStringLiteral("Programkod (*.c,*.cpp,*.h)"),
                QStringLiteral("Resursfiler (*.rc,*.res,*.rh)"), kAllFiles};
    }
    if (keyword == u"OWN_FILTER" && !ownFilter.isEmpty())
        return ownFilter.split(QStringLiteral(";;"));
    return {kAllFiles};
}

int browseForFolder(int owner, const QString& title, QString& result, const QString& keyword) {
    QString path;
    if (dialogHook()) {
        path = dialogHook()(DialogRequest{QStringLiteral("FOLDER"), title, keyword, {}, {}});
    } else {
        path = QFileDialog::getExistingDirectory(ownerWidget(owner), title);
    }
    if (path.isEmpty()) return 1;
    result = QDir::fromNativeSeparators(path);
    return 0;
}

int openFileDialog(int target, const QString& title, const QString& resultKeyword,
                   const QString& filterKeyword, const QString& ownFilter, QString& result) {
    return fileDialog(false, target, title, resultKeyword, filterKeyword, ownFilter, result);
}

int saveFileDialog(int target, const QString& title, const QString& resultKeyword,
                   const QString& filterKeyword, const QString& ownFilter, QString& result,
                   const QString& suggested) {
    return fileDialog(true, target, title, resultKeyword, filterKeyword, ownFilter, result,
                      suggested);
}

int findNext(int view, const QString& needle, bool matchCase) {
    if (TextViewer* viewer = viewerOf(view))
        return int(viewer->find(needle, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive));
    auto* edit = qobject_cast<QTextEdit*>(widgetOf(view));
    if (!edit || needle.isEmpty()) return -1;
    const QTextDocument::FindFlags flags =
        matchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    QTextCursor found = edit->document()->find(needle, edit->textCursor(), flags);
    if (found.isNull()) found = edit->document()->find(needle, 0, flags);
    if (found.isNull()) return -1;
    edit->setTextCursor(found);
    return found.selectionStart();
}

int openFindDialog(int owner, int view) {
    auto* dialog = new QDialog(ownerWidget(owner),
                               Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Sök"));
    auto* layout = new QVBoxLayout(dialog);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Sök efter:"), dialog));
    auto* needle = new QLineEdit(dialog);
    row->addWidget(needle);
    layout->addLayout(row);
    auto* matchCase = new QCheckBox(QStringLiteral("Matcha gemener/VERSALER"), dialog);
    layout->addWidget(matchCase);
    auto* buttons = new QHBoxLayout;
    auto* next = new QPushButton(QStringLiteral("Sök nästa"), dialog);
    auto* close = new QPushButton(QStringLiteral("Stäng"), dialog);
    next->setDefault(true);
    buttons->addWidget(next);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    auto* status = new QLabel(dialog);
    layout->addWidget(status);
    QObject::connect(next, &QPushButton::clicked, dialog, [=] {
        const int at = findNext(view, needle->text(), matchCase->isChecked());
        status->setText(at < 0 ? QStringLiteral("Texten hittades inte.") : QString());
    });
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::close);
    dialog->show();
    return registerWidget(dialog);
}

int openExternal(const QString& urlOrPath) {
    if (externalHook()) return externalHook()(urlOrPath);
    const QUrl url = urlOrPath.contains(QStringLiteral("://"))
                         ? QUrl(urlOrPath)
                         : QUrl::fromLocalFile(
                               QFileInfo(QDir::fromNativeSeparators(urlOrPath)).absoluteFilePath());
    return QDesktopServices::openUrl(url) ? 0 : 1;
}

} // namespace tk
