#include "base/qt/QtSettingsStore.h"
#include "base/SettingsKeys.h"
#include "base/qt/QtText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace corvane;

namespace {

// "マーカ" in Shift-JIS.
const SjisString kMarkerSjis = "\x83\x7D\x81\x5B\x83\x4A";

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

TEST(QtSettingsStore, UserFileLivesInTheConfigHome)
{
    // Nothing in this process has asked QSettings for a path yet, so it sees this config home.
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    ::setenv("HOME", home.path().toLocal8Bit().constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit().constData(), 1);

    const QString expected = home.path() + "/.config/Dunmere/Corvane.ini";
    {
        QtSettingsStore store;
        EXPECT_EQ(store.fileName(), expected);
        write(store, keys::FirstOpen, 1);
        EXPECT_TRUE(store.flush());
    }
    EXPECT_TRUE(fileBytes(expected).contains("[KanSet]\nFirstOpen=1"));
}

TEST(QtSettingsStore, StringsAreShiftJisToTheCoreAndUtf8InTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Corvane.ini");
    {
        QtSettingsStore store(path);
        write(store, keys::ProName, kMarkerSjis + " 1");
        write(store, keys::SaveCnt, 42);
        store.writeString(section::RecentFileList, recentFileName(1), "/p/\x95\x5C.cvn");
        store.writeString(section::Search, searchGokuName("1", 1), "a, b");
        write(store, keys::MarkerRefDef, "");
    }
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.contains("ProName=マーカ 1")) << bytes.constData();

    QtSettingsStore store(path);
    EXPECT_EQ(read(store, keys::ProName), kMarkerSjis + " 1");
    EXPECT_EQ(read(store, keys::SaveCnt), 42);
    EXPECT_EQ(store.readString(section::RecentFileList, recentFileName(1), ""), "/p/\x95\x5C.cvn");
    EXPECT_EQ(store.readString(section::Search, searchGokuName("1", 1), ""), "a, b");
    // Written empty is not the same as absent: an empty colour string means the default colour.
    EXPECT_EQ(read(store, keys::MarkerRefDef), "");
    EXPECT_EQ(store.readString(section::Marker, "absent", "-1"), "-1");
    EXPECT_EQ(read(store, keys::RefMarker), "-1");
}

TEST(QtSettingsStore, HandEditedValuesReadSafely)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Corvane.ini");
    writeFile(path, "[KanSet]\nSaveCnt=abc\nDelMes= 0 \n"
                    "[Last]\nProName=a,b\nProPath=x\xF0\x9F\x98\x80y\n");
    QtSettingsStore store(path);
    EXPECT_EQ(read(store, keys::SaveCnt), 20); // not a number: the default
    EXPECT_EQ(read(store, keys::DelMes), 0);
    EXPECT_EQ(read(store, keys::ProName), "a,b");        // QSettings would make a list of it
    EXPECT_EQ(read(store, keys::ProPath), "x\x81\xACy"); // no CP932 code: "〓"
}

TEST(QtText, QStringBoundary)
{
    EXPECT_EQ(toQString("\x95\x5C\\\x81\x60"), QStringLiteral("表\\～"));
    EXPECT_EQ(toQString("a\x82"), QStringLiteral("a\uFFFD"));
    bool unrepresentable = true;
    EXPECT_EQ(toSjis(QStringLiteral("表\u301C"), &unrepresentable), "\x95\x5C\x81\x60");
    EXPECT_FALSE(unrepresentable);
    EXPECT_EQ(toSjis(QStringLiteral("caf\u00E9"), &unrepresentable), "caf\x81\xAC");
    EXPECT_TRUE(unrepresentable);
    EXPECT_EQ(pathFromQString(pathToQString("/tmp/表 a")), "/tmp/表 a");
}
