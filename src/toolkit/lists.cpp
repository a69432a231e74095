// Drop-down lists: items counted from 1, index 0 the field part, sorted
// kinds in Swedish order, filling from a code page 1252 file.
#include "toolkit/toolkit_internal.h"

#include "store/text_codec.h"
#include "store/text_util.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace tk {

using namespace detail;

namespace {

QComboBox* listOf(int handle) { return qobject_cast<QComboBox*>(widgetOf(handle)); }

// Where a new item goes: its place in Swedish order for a sorted list (after
// equal items), else position n - 1 or the end.
int insertPosition(QComboBox* list, int index, const QString& value) {
    if (list->property(kSorted).toBool()) {
        int pos = 0;
        while (pos < list->count() && mv::compareText(list->itemText(pos), value, 0) <= 0) ++pos;
        return pos;
    }
    return std::min(index - 1, list->count());
}

// A choose-only list shows a text that is no item as its placeholder.
void setFieldPart(QComboBox* list, const QString& value) {
    if (list->isEditable()) {
        list->setEditText(value);
        if (list->lineEdit()) list->lineEdit()->setCursorPosition(0);
        return;
    }
    const int found = list->findText(value, Qt::MatchExactly);
    list->setCurrentIndex(found);
    list->setPlaceholderText(found < 0 ? value : QString());
    list->setProperty(kFieldPart, found < 0 ? value : QString());
}

} // namespace

int createList(int parent, int x, int y, int width, int height, const QString& kind) {
    QWidget* p = widgetOf(parent);
    if (!p) return 0;
    auto* list = new QComboBox(p);
    const bool editable = kind == u"WRITEDROP" || kind == u"WRITEDROPSORT" || kind == u"SIMPLE" || kind == u"SIMPLESORT";
    const bool sorted = kind.endsWith(u"SORT");
    list->setEditable(editable);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setProperty(kSorted, sorted);
    list->setGeometry(x, y, width, list->sizeHint().height());
    const int rowHeight = std::max(1, list->fontMetrics().height() + 2);
    list->setMaxVisibleItems(std::max(1, height / rowHeight - 1));
    if (editable && list->lineEdit()) {
        QLineEdit* edit = list->lineEdit();
        QObject::connect(edit, &QLineEdit::textEdited, list, [list] { notifyEdited(list); });
    }
    // A choice the user makes tells the window as typing does, so that a
    // page can take a pick at once.
    QObject::connect(list, &QComboBox::activated, list, [list] { notifyEdited(list); });
    list->show();
    return registerWidget(list);
}

int setItem(int handle, int index, const QString& value) {
    QComboBox* list = listOf(handle);
    if (!list) return -1;
    if (index <= 0) {
        setFieldPart(list, value);
        return 0;
    }
    const int pos = insertPosition(list, index, value);
    const QString shown = list->currentText();
    const QString placeholder = list->property(kFieldPart).toString();
    list->insertItem(pos, value);
    // Inserting into an empty choose-only list must not choose the item.
    if (!list->isEditable() && list->count() == 1) list->setCurrentIndex(-1);
    if (list->isEditable()) list->setEditText(shown);
    if (!placeholder.isEmpty()) list->setPlaceholderText(placeholder);
    return pos + 1;
}

QString item(int handle, int index) {
    QComboBox* list = listOf(handle);
    if (!list) return QString();
    if (index <= 0) {
        if (list->isEditable()) return list->currentText();
        if (list->currentIndex() >= 0) return list->currentText();
        return list->property(kFieldPart).toString();
    }
    return index <= list->count() ? list->itemText(index - 1) : QString();
}

int itemCount(int handle) {
    QComboBox* list = listOf(handle);
    return list ? list->count() : 0;
}

int fillListFromFile(int handle, int index, const QString& path) {
    QComboBox* list = listOf(handle);
    if (!list) return 2;
    QByteArray bytes;
    const int rc = readBytes(path, bytes);
    if (rc != 0) return rc;
    const QString whole = mv::decodeStored(bytes);
    if (index == 0) {
        setFieldPart(list, whole);
        return 0;
    }
    if (index > 0) {
        setItem(handle, index, whole);
        return 0;
    }
    QStringList lines = whole.split(u'\n');
    if (whole.endsWith(u'\n') || whole.isEmpty()) lines.removeLast();
    list->setUpdatesEnabled(false);
    for (const QString& line : lines) setItem(handle, list->count() + 1, line);
    list->setUpdatesEnabled(true);
    return 0;
}

void clearList(int handle) {
    QComboBox* list = listOf(handle);
    if (!list) return;
    const QString shown = list->isEditable() ? list->currentText() : QString();
    list->clear();
    if (list->isEditable()) list->setEditText(shown);
}

int selectItem(int handle, const QString& prefix) {
    QComboBox* list = listOf(handle);
    if (!list) return 0;
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i).startsWith(prefix, Qt::CaseInsensitive)) {
            list->setCurrentIndex(i);
            list->setProperty(kFieldPart, QString());
            list->setPlaceholderText(QString());
            return i + 1;
        }
    }
    return 0;
}

int selectedIndex(int handle) {
    QComboBox* list = listOf(handle);
    return list ? list->currentIndex() + 1 : 0;
}

void dropDown(int handle) {
    QComboBox* list = listOf(handle);
    if (list && list->isVisible() && list->isEnabled()) list->showPopup();
}

bool isDroppedDown(int handle) {
    QComboBox* list = listOf(handle);
    return list && list->view() && list->view()->isVisible();
}

} // namespace tk
