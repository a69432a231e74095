#include "toolkit/rtf.h"

#include "store/text_codec.h"

#include <QFontInfo>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <vector>

namespace tk::detail {

namespace {

struct RtfState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    int unicodeSkip = 1; // \ucN: fallback characters after a \uN
    bool skip = false;   // inside a destination whose text is not shown
};

QChar cp1252Char(unsigned char byte) {
    const QString s = mv::decodeStored(QByteArray(1, char(byte)));
    return s.isEmpty() ? QChar(u'?') : s.at(0);
}

const QSet<QString>& skippedDestinations() {
    static const QSet<QString> names = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "header", "footer", "headerl",
        "headerr", "headerf", "footerl", "footerr", "footerf", "generator", "listtable",
        "listoverridetable", "rsidtbl", "themedata", "colorschememapping", "datastore", "latentstyles",
        "xmlnstbl", "mmathPr", "filetbl", "revtbl", "fldinst", "footnote", "annotation", "bkmkstart",
        "bkmkend", "userprops", "docvar", "nonshppict", "shppict", "wgrffmtfilter", "pgdsctbl"};
    return names;
}

class Reader {
public:
    Reader(const QByteArray& bytes, QTextDocument& document) : bytes_(bytes), cursor_(&document) {}

    void run() {
        const int n = int(bytes_.size());
        while (pos_ < n) {
            const char c = bytes_[pos_];
            if (c == '{') {
                flush();
                stack_.push_back(state_);
                ++pos_;
            } else if (c == '}') {
                flush();
                if (stack_.empty()) return;
                state_ = stack_.back();
                stack_.pop_back();
                ++pos_;
            } else if (c == '\\') {
                ++pos_;
                control();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                character(cp1252Char(static_cast<unsigned char>(c)));
                ++pos_;
            }
        }
        flush();
    }

private:
    void character(QChar c) {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (!state_.skip) text_ += c;
    }

    void flush() {
        if (text_.isEmpty()) return;
        QTextCharFormat f;
        f.setFontWeight(state_.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(state_.italic);
        f.setFontUnderline(state_.underline);
        f.setFontPointSize(state_.halfPoints / 2.0);
        cursor_.insertText(text_, f);
        text_.clear();
    }

    // Changes the character format: the text so far keeps the old one.
    template <typename F> void format(F change) {
        flush();
        change(state_);
    }

    void control() {
        const int n = int(bytes_.size());
        if (pos_ >= n) return;
        const char c = bytes_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            symbol(c);
            return;
        }
        QString word;
        while (pos_ < n && std::isalpha(static_cast<unsigned char>(bytes_[pos_]))) word += QChar(bytes_[pos_++]);
        bool hasParam = false;
        int sign = 1;
        long param = 0;
        if (pos_ < n && bytes_[pos_] == '-') {
            sign = -1;
            ++pos_;
        }
        while (pos_ < n && std::isdigit(static_cast<unsigned char>(bytes_[pos_]))) {
            hasParam = true;
            if (param < 100000000) param = param * 10 + (bytes_[pos_] - '0');
            ++pos_;
        }
        if (pos_ < n && bytes_[pos_] == ' ') ++pos_;
        word_(word, hasParam, int(sign * param));
    }

    void symbol(char c) {
        switch (c) {
        case '\\': case '{': case '}': character(QChar(c)); break;
        case '~': character(QChar(0xA0)); break;
        case '_': character(QChar(u'-')); break;
        case '*': state_.skip = true; break;
        case '\r': case '\n': character(QChar(u'\n')); break;
        case '\'': {
            const QByteArray hex = bytes_.mid(pos_, 2);
            pos_ += 2;
            bool ok = false;
            const int byte = hex.toInt(&ok, 16);
            if (ok) character(cp1252Char(static_cast<unsigned char>(byte)));
            break;
        }
        default: break;
        }
    }

    void word_(const QString& w, bool hasParam, int param) {
        if (skippedDestinations().contains(w)) {
            state_.skip = true;
        } else if (w == u"par" || w == u"line") {
            character(QChar(u'\n'));
        } else if (w == u"tab") {
            character(QChar(u'\t'));
        } else if (w == u"b") {
            format([&](RtfState& s) { s.bold = !hasParam || param != 0; });
        } else if (w == u"i") {
            format([&](RtfState& s) { s.italic = !hasParam || param != 0; });
        } else if (w == u"ul") {
            format([&](RtfState& s) { s.underline = !hasParam || param != 0; });
        } else if (w == u"ulnone") {
            format([](RtfState& s) { s.underline = false; });
        } else if (w == u"fs" && hasParam && param > 0) {
            format([&](RtfState& s) { s.halfPoints = param; });
        } else if (w == u"plain") {
            format([](RtfState& s) {
                s.bold = s.italic = s.underline = false;
                s.halfPoints = 24;
            });
        } else if (w == u"uc" && hasParam) {
            state_.unicodeSkip = std::max(0, param);
        } else if (w == u"u" && hasParam) {
            character(QChar(char16_t(param < 0 ? param + 65536 : param)));
            pendingSkip_ = state_.unicodeSkip;
        } else if (w == u"emdash") {
            character(QChar(0x2014));
        } else if (w == u"endash") {
            character(QChar(0x2013));
        } else if (w == u"lquote") {
            character(QChar(0x2018));
        } else if (w == u"rquote") {
            character(QChar(0x2019));
        } else if (w == u"ldblquote") {
            character(QChar(0x201C));
        } else if (w == u"rdblquote") {
            character(QChar(0x201D));
        } else if (w == u"bullet") {
            character(QChar(0x2022));
        }
    }

    const QByteArray& bytes_;
    QTextCursor cursor_;
    int pos_ = 0;
    RtfState state_;
    std::vector<RtfState> stack_;
    QString text_;
    int pendingSkip_ = 0;
};

void appendEscaped(QByteArray& out, const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u == 0x2028 || u == u'\n') {
            out += "\\line ";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else if (u >= 0x80 && mv::isCp1252(QString(c))) {
            const QByteArray b = mv::encodeStored(QString(c));
            out += "\\'" + QByteArray::number(static_cast<unsigned char>(b.at(0)), 16).rightJustified(2, '0');
        } else if (u >= 0x80) {
            out += "\\u" + QByteArray::number(int(static_cast<short>(u))) + "?";
        }
    }
}

} // namespace

bool readRtf(const QByteArray& bytes, QTextDocument& document) {
    if (!bytes.startsWith("{\\rtf")) return false;
    document.clear();
    Reader reader(bytes, document);
    reader.run();
    return true;
}

QByteArray writeRtf(const QTextDocument& document) {
    const QFont base = document.defaultFont();
    const bool fixed = QFontInfo(base).fixedPitch();
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0";
    out += fixed ? "\\fmodern\\fcharset0 Courier New;" : "\\fswiss\\fcharset0 Arial;";
    out += "}}\r\n\\viewkind4\\uc1\\pard\\f0 ";
    const double basePoints = base.pointSizeF() > 0 ? base.pointSizeF() : 10.0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) out += "\\par\r\n";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            const QTextCharFormat f = fragment.charFormat();
            const double points = f.fontPointSize() > 0 ? f.fontPointSize() : basePoints;
            out += "{";
            if (f.fontWeight() >= QFont::Bold) out += "\\b";
            if (f.fontItalic()) out += "\\i";
            if (f.fontUnderline()) out += "\\ul";
            out += "\\fs" + QByteArray::number(qRound(points * 2)) + " ";
            appendEscaped(out, fragment.text());
            out += "}";
        }
    }
    out += "\r\n}\r\n";
    return out;
}

} // namespace tk::detail
