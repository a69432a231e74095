#include "store/record_file.h"

#include "support/temp_dir.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace mv;

using RecordFile = TempDirTest;

TEST_F(RecordFile, AppendReplacesOnlyAFileOfFewerThanTwoCharacters) {
    // A file holding only a line end is replaced by the first line...
    putBytes("a.kdb", "\r\n");
    EXPECT_EQ(appendText("a.kdb", "A\n", SepNone), 0);
    EXPECT_EQ(bytesOf("a.kdb"), QByteArray("A\r\n"));
    // ...and the next line is appended.
    EXPECT_EQ(appendText("a.kdb", "B\n", SepNone), 0);
    EXPECT_EQ(bytesOf("a.kdb"), QByteArray("A\r\nB\r\n"));

    // A single character without line end is replaced, with no separator.
    putBytes("x.kdb", "X");
    EXPECT_EQ(appendText("x.kdb", "7", SepNewline), 0);
    EXPECT_EQ(bytesOf("x.kdb"), QByteArray("7"));

    putBytes("n.kdb", "12\r\n");
    EXPECT_EQ(appendText("n.kdb", "7", SepNewline), 0);
    EXPECT_EQ(bytesOf("n.kdb"), QByteArray("12\r\n7\r\n"));

    // A list whose first entry is one character long is not wiped.
    putBytes("q.kdb", "Q\r\n");
    EXPECT_EQ(appendText("q.kdb", "R\n", SepNone), 0);
    EXPECT_EQ(bytesOf("q.kdb"), QByteArray("Q\r\nR\r\n"));
}

TEST_F(RecordFile, AppendNeverCreatesAndIgnoresEmptyText) {
    EXPECT_EQ(appendText("missing.kdb", "", SepNewline), 0);
    EXPECT_EQ(appendText("missing.kdb", "x\n", SepNone), 2);
    EXPECT_FALSE(QFile::exists("missing.kdb"));

    putBytes("k.kdb", "keep\r\n");
    EXPECT_EQ(appendText("k.kdb", "", SepNewline), 0);
    EXPECT_EQ(bytesOf("k.kdb"), QByteArray("keep\r\n"));
}

TEST_F(RecordFile, AppendSeparatorModes) {
    const struct {
        int mode;
        QByteArray separator;
    } cases[] = {{SepNone, ""},     {SepBlank, " "},       {SepNewline, "\r\n"},
                 {SepTab1, "\t"},   {SepTab3, "\t\t\t"},   {SepTab6, "\t\t\t\t\t\t"},
                 {5, ""},           {17, ""}};
    for (const auto& c : cases) {
        putBytes("s.kdb", "ab\r\n");
        ASSERT_EQ(appendText("s.kdb", "v", c.mode), 0);
        EXPECT_EQ(bytesOf("s.kdb"), QByteArray("ab\r\nv") + c.separator) << "mode " << c.mode;
    }
}

TEST_F(RecordFile, ReadWholeSeesOnlyTerminatedLines) {
    QString dest = "keep:";
    putBytes("y.kdb", "2014");
    EXPECT_EQ(readWhole("y.kdb", dest), 0);
    EXPECT_EQ(dest, "keep:");

    putBytes("y.kdb", "2014\r\n");
    EXPECT_EQ(readWhole("y.kdb", dest), 0);
    EXPECT_EQ(dest, "keep:2014\n");

    putBytes("z.kdb", "a\r\nb\r\nunterminated");
    QString two;
    EXPECT_EQ(readWhole("z.kdb", two), 0);
    EXPECT_EQ(two, "a\nb\n");

    QString untouched = "x";
    EXPECT_EQ(readWhole("nothing.kdb", untouched), 2);
    EXPECT_EQ(untouched, "x");

    // Nothing is cut by a capacity: a long file comes back whole.
    const QByteArray line(5000, 'w');
    putBytes("long.kdb", line + "\r\n" + line + "\r\n");
    QString all;
    EXPECT_EQ(readWhole("long.kdb", all), 0);
    EXPECT_EQ(all.size(), 10002);
}

TEST_F(RecordFile, SwedishLettersAndEuroAreOneByteEachWithCrLf) {
    const QString text = QString::fromUtf8("åäöÅÄÖ€\n");
    ASSERT_EQ(writeText("t.kdb", text), 0);
    EXPECT_EQ(bytesOf("t.kdb"), QByteArray("\xE5\xE4\xF6\xC5\xC4\xD6\x80\r\n"));
    QString back;
    ASSERT_EQ(readWhole("t.kdb", back), 0);
    EXPECT_EQ(back, text);
    EXPECT_EQ(characterCount("t.kdb"), 8);
}

TEST_F(RecordFile, CountAndMeasure) {
    EXPECT_EQ(characterCount("missing.kdb"), -2);
    EXPECT_EQ(sizeMeasure("missing.kdb"), -2);
    putBytes("e.kdb", "");
    EXPECT_EQ(characterCount("e.kdb"), 0);
    EXPECT_EQ(sizeMeasure("e.kdb"), 0);

    putBytes("c.kdb", "ab\r\ncd\r\nx");
    EXPECT_EQ(characterCount("c.kdb"), 7);
    EXPECT_EQ(sizeMeasure("c.kdb"), 7 + 3);

    // A line of 2000 characters plus its line end is read in two pieces.
    putBytes("l.kdb", QByteArray(2000, 'z') + "\r\n");
    EXPECT_EQ(characterCount("l.kdb"), 2001);
    EXPECT_EQ(sizeMeasure("l.kdb"), 2001 + 2);
}

TEST_F(RecordFile, FieldReaderWalksLines) {
    const QString text = "a\nbb\n";
    QString field;
    int pos = fieldReader(text, field, -1);
    EXPECT_EQ(field, "a");
    EXPECT_EQ(pos, 1);
    pos = fieldReader(text, field, pos);
    EXPECT_EQ(field, "bb");
    EXPECT_EQ(pos, 4);
    pos = fieldReader(text, field, pos);
    EXPECT_EQ(field, "");
    EXPECT_EQ(pos, 5);
}

TEST_F(RecordFile, FieldReaderCutsLongLinesButKeepsItsPlace) {
    const QString text = QString(250, 'x') + "\nnext\nlast";
    QString field;
    int pos = fieldReader(text, field, -1);
    EXPECT_EQ(field, QString(200, 'x'));
    EXPECT_EQ(pos, 250);
    pos = fieldReader(text, field, pos);
    EXPECT_EQ(field, "next");
    pos = fieldReader(text, field, pos);
    EXPECT_EQ(field, "last");
    EXPECT_EQ(pos, text.size() - 1);
    pos = fieldReader(text, field, pos);
    EXPECT_EQ(field, "");
    EXPECT_EQ(pos, text.size());
    EXPECT_EQ(readFields(text), QStringList({QString(200, 'x'), "next", "last"}));
    EXPECT_EQ(readFields("a\n\nb\n"), QStringList({"a", "", "b"}));
}

TEST_F(RecordFile, WriteTextIsAtomicAndReportsFailure) {
    ASSERT_EQ(writeText("w.kdb", "1.00\n"), 0);
    ASSERT_EQ(writeText("w.kdb", "2.00\n"), 0);
    EXPECT_EQ(bytesOf("w.kdb"), QByteArray("2.00\r\n"));
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(QDir(".").entryList(QDir::Files), QStringList({"w.kdb"}));
    EXPECT_EQ(writeText("nodir/w.kdb", "x\n"), 2);
    EXPECT_EQ(createEmpty("e.kdb"), 0);
    EXPECT_EQ(bytesOf("e.kdb"), QByteArray());
}

TEST_F(RecordFile, BackslashPathsReachTheSameFile) {
    ASSERT_EQ(createDirectory("2014"), 0);
    ASSERT_EQ(writeText("2014\\a.kdb", "x\n"), 0);
    EXPECT_EQ(bytesOf("2014/a.kdb"), QByteArray("x\r\n"));
}

TEST_F(RecordFile, DeleteAndCreateDirectoryCodes) {
    EXPECT_EQ(deleteFile("missing.kdb"), 3);
    putBytes("d.kdb", "x\r\n");
    EXPECT_EQ(deleteFile("d.kdb"), 0);
    EXPECT_FALSE(QFile::exists("d.kdb"));
    EXPECT_EQ(createDirectory("dir"), 0);
    EXPECT_EQ(createDirectory("dir"), 1);
    EXPECT_EQ(createDirectory("no/such/parent"), 1);
}

namespace {
void setMtime(const QString& path, const QDateTime& when) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}
const QDateTime kOld(QDate(2013, 1, 2), QTime(10, 20, 30));
} // namespace

TEST_F(RecordFile, CopyFileKeywordsAndLastWriteTime) {
    putBytes("src.kdb", "new\r\n");
    setMtime("src.kdb", kOld);
    putBytes("dst.kdb", "old\r\n");

    EXPECT_EQ(copyFile("dst.kdb", "src.kdb", "NO_SAVE_IF_EXIST"), 1);
    EXPECT_EQ(bytesOf("dst.kdb"), QByteArray("old\r\n"));

    EXPECT_EQ(copyFile("dst.kdb", "src.kdb", "SAVE_IF_EXIST"), 0);
    EXPECT_EQ(bytesOf("dst.kdb"), QByteArray("new\r\n"));
    EXPECT_EQ(QFileInfo("dst.kdb").lastModified(), kOld);

    EXPECT_EQ(copyFile("fresh.kdb", "src.kdb", "NO_SAVE_IF_EXIST"), 0);
    EXPECT_EQ(QFileInfo("fresh.kdb").lastModified(), kOld);
    EXPECT_EQ(copyFile("other.kdb", "missing.kdb", "SAVE_IF_EXIST"), 1);
    EXPECT_FALSE(QFile::exists("other.kdb"));
}

TEST_F(RecordFile, CopyTreeAndDeleteTree) {
    putBytes("2014/bokforing/_ver.kdb", "3");
    putBytes("2014/kunder/Åke.kdb", "x\r\n");
    setMtime("2014/bokforing/_ver.kdb", kOld);

    ASSERT_EQ(copyTree("backup", "2014"), 0);
    EXPECT_EQ(bytesOf("backup/2014/bokforing/_ver.kdb"), QByteArray("3"));
    EXPECT_EQ(QFileInfo("backup/2014/bokforing/_ver.kdb").lastModified(), kOld);
    EXPECT_TRUE(QFile::exists("backup/2014/kunder/Åke.kdb"));

    EXPECT_EQ(deleteTree("backup"), 0);
    EXPECT_FALSE(QFileInfo::exists("backup"));
    EXPECT_EQ(copyTree("backup", "missing"), 1);
}

TEST_F(RecordFile, WriteHookStopsChangesAsIfTheProgramDied) {
    putBytes("a.kdb", "1\r\n");
    int allowed = 1;
    setWriteHook([&allowed](const QString&) { return allowed-- > 0; });
    EXPECT_EQ(writeText("a.kdb", "2\n"), 0);
    EXPECT_EQ(writeText("a.kdb", "3\n"), 3);
    EXPECT_EQ(appendText("a.kdb", "4\n", SepNone), 3);
    EXPECT_EQ(deleteFile("a.kdb"), 3);
    EXPECT_EQ(createDirectory("d"), 1);
    EXPECT_EQ(renamePath("a.kdb", "b.kdb"), 1);
    setWriteHook({});
    EXPECT_EQ(bytesOf("a.kdb"), QByteArray("2\r\n"));
    EXPECT_FALSE(QFileInfo::exists("d"));

    putBytes("b.kdb", "old\r\n");
    EXPECT_EQ(renamePath("a.kdb", "b.kdb"), 0);
    EXPECT_EQ(bytesOf("b.kdb"), QByteArray("2\r\n"));
    EXPECT_FALSE(QFileInfo::exists("a.kdb"));
    ASSERT_EQ(createDirectory("d"), 0);
    EXPECT_EQ(renamePath("d", "e"), 0);
    EXPECT_TRUE(QFileInfo("e").isDir());
}
